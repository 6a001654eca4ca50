#pragma once

#include "platform/clock.h"

#include <QDateTime>
#include <QElapsedTimer>

// The system's monotonic clock, counted from the console's start, and its
// local wall clock.
class QtClock final : public Clock
{
public:
    QtClock() { started_.start(); }

    std::int64_t monotonicUs() const override { return started_.nsecsElapsed() / 1000; }
    std::int64_t wallMs() const override { return QDateTime::currentMSecsSinceEpoch(); }

private:
    QElapsedTimer started_;
};
