#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <string>

// What the timing tests rest on: due ticks fire in time order within one
// advance, ticks of timers that handlers start or change included; a timer at
// interval 0 or disabled stays still, and enabling it again counts afresh.
TEST(VirtualClock, FiresInTimeOrderIncludingTimersThatHandlersStartOrChange)
{
    VirtualClock clock;
    auto a = clock.createTimer();
    auto b = clock.createTimer();
    std::string log;
    a->onTick([&] {
        log += "a" + std::to_string(clock.nowUs() / 1000) + " ";
        b->setInterval(50);
        a->setInterval(a->interval() == 100 ? 150 : 100); // counts from this tick
    });
    b->onTick([&] {
        log += "b" + std::to_string(clock.nowUs() / 1000) + " ";
        b->setInterval(0);
    });
    a->setInterval(100);
    clock.advanceMs(320);
    EXPECT_EQ(log, "a100 b150 a250 b300 ");
    a->setEnabled(false);
    clock.advanceMs(1000);
    a->setEnabled(true);
    clock.advanceMs(150);
    EXPECT_EQ(log, "a100 b150 a250 b300 a1420 b1470 ");
    EXPECT_EQ(clock.nowUs(), 1'470'000);
}
