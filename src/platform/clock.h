#pragma once

#include <QDateTime>

#include <cstdint>

// The two times the call journal needs: a monotonic count for how long a call
// waited, and the wall clock (local time) for when it started and ended. The
// wall clock may be moved, back or forward; the monotonic count never is.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t monotonicUs() const = 0;
    virtual QDateTime now() const = 0;
};
