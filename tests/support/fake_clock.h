#pragma once

#include "platform/clock.h"
#include "virtual_clock.h"

// The journal's clocks on the virtual clock (or standing still without one):
// the wall clock runs from a fixed morning and can be moved by hand.
class FakeClock final : public Clock
{
public:
    std::int64_t monotonicUs() const override { return follows ? follows->nowUs() : 0; }
    QDateTime now() const override { return morning.addMSecs(monotonicUs() / 1000 + wallShiftMs); }

    const VirtualClock* follows = nullptr;
    QDateTime morning{QDate(2026, 12, 7), QTime(9, 30)};
    std::int64_t wallShiftMs = 0;
};
