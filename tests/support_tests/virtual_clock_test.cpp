#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <string>

TEST(VirtualClock, ATimerTicksOnlyWithAnIntervalWhileEnabledAndSettingEitherAgainRestartsIt)
{
    VirtualClock clock;
    auto t = clock.createTimer();
    int ticks = 0;
    t->onTick([&] { ++ticks; });
    clock.advanceMs(10000);
    EXPECT_EQ(ticks, 0) << "interval zero";
    t->setInterval(300);
    clock.advanceMs(299);
    t->setInterval(300); // same value: the countdown starts again
    clock.advanceMs(299);
    EXPECT_EQ(ticks, 0);
    clock.advanceMs(1);
    EXPECT_EQ(ticks, 1);
    clock.advanceMs(900);
    EXPECT_EQ(ticks, 4);
    clock.advanceMs(100);
    t->setEnabled(true); // already enabled: no restart
    clock.advanceMs(200);
    EXPECT_EQ(ticks, 5);
    t->setEnabled(false);
    clock.advanceMs(5000);
    t->setEnabled(true);
    clock.advanceMs(299);
    EXPECT_EQ(ticks, 5);
    clock.advanceMs(1);
    EXPECT_EQ(ticks, 6);
}

TEST(VirtualClock, FiresInTimeOrderIncludingTimersThatHandlersStartOrChange)
{
    VirtualClock clock;
    auto a = clock.createTimer();
    auto b = clock.createTimer();
    std::string log;
    a->onTick([&] {
        log += "a" + std::to_string(clock.nowUs() / 1000) + " ";
        b->setInterval(50); // started by a handler: must still fire inside the same advance
        a->setInterval(a->interval() == 100 ? 150 : 100); // counts from this tick
    });
    b->onTick([&] {
        log += "b" + std::to_string(clock.nowUs() / 1000) + " ";
        b->setInterval(0);
    });
    a->setInterval(100);
    clock.advanceMs(320);
    EXPECT_EQ(log, "a100 b150 a250 b300 ");
    EXPECT_EQ(clock.nowUs(), 320000);
}
