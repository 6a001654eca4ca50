#include "platform/qt/qt_timer.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

// A timer whose ticks are counted while the event loop runs.
struct CountedTimer {
    CountedTimer()
    {
        timer.onTick([this] { ++ticks; });
    }
    bool tickedWithin(int ms)
    {
        return QTest::qWaitFor([this] { return ticks > 0; }, ms);
    }

    QtTimer timer;
    int ticks = 0;
};

} // namespace

TEST(QtTimer, AnEnabledTimerAtIntervalZeroStaysQuietUntilItGetsAnInterval)
{
    CountedTimer counted;
    counted.timer.setInterval(0);
    counted.timer.setEnabled(true);
    QTest::qWait(30);
    EXPECT_EQ(counted.ticks, 0);
    counted.timer.setInterval(1);
    EXPECT_TRUE(counted.tickedWithin(2000));
    counted.timer.setEnabled(false);
    const int stopped = counted.ticks;
    QTest::qWait(30);
    EXPECT_EQ(counted.ticks, stopped);
}

TEST(QtTimer, EnablingAnEnabledTimerDoesNotPutItsTickOff)
{
    CountedTimer counted;
    counted.timer.setInterval(60);
    QTimer prod;
    QObject::connect(&prod, &QTimer::timeout, [&] { counted.timer.setEnabled(true); });
    prod.start(20);
    EXPECT_TRUE(counted.tickedWithin(2000));
}
