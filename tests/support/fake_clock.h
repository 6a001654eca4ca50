#pragma once

#include "platform/clock.h"
#include "virtual_clock.h"

#include <QDateTime>

// The journal's clocks on the virtual clock (or standing still without one):
// the wall clock runs from a fixed morning and can be moved by hand.
class FakeClock final : public Clock
{
public:
    std::int64_t monotonicUs() const override { return follows ? follows->nowUs() : 0; }
    std::int64_t wallMs() const override { return morningMs + monotonicUs() / 1000 + wallShiftMs; }

    const VirtualClock* follows = nullptr;
    std::int64_t morningMs = QDateTime(QDate(2026, 12, 7), QTime(9, 30)).toMSecsSinceEpoch();
    std::int64_t wallShiftMs = 0;
};
