#pragma once

#include <cstdint>

// The two times the call journal needs: a monotonic count for how long a call
// waited, and the wall clock for when it started and ended, in milliseconds
// since 1970 (UTC; local time is worked out only where it is shown). The wall
// clock may be moved, back or forward; the monotonic count never is.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t monotonicUs() const = 0;
    virtual std::int64_t wallMs() const = 0;
};
