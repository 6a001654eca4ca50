#pragma once

#include "console/call_entry.h"
#include "console/day_figures.h"

#include <QByteArray>
#include <QDate>

#include <cstdint>
#include <deque>

// The calls of one (local) day, in the order they ended, with the day's
// figures. A callback marks the latest missed call from that extension not
// yet marked; the figures leave callbacks out. The list keeps the latest
// KeptCalls calls; the figures count them all.
class CallDay
{
public:
    // Twice the calls of a busy day.
    static constexpr std::size_t KeptCalls = 10'000;

    CallDay() = default;
    explicit CallDay(const QDate& date);
    // The day as its file tells it: rows of other days are passed over.
    static CallDay read(const QDate& date, const QByteArray& file);

    const QDate& date() const { return date_; }
    bool contains(std::int64_t wallMs) const { return wallMs >= startMs_ && wallMs < endMs_; }

    // A call that ended this day.
    void add(CallEntry call);
    // The console called the extension with this number back: marks the
    // latest missed call from it not yet marked; false when there is none.
    bool markCallback(const QString& origin, std::int64_t atMs);

    const std::deque<CallEntry>& calls() const { return calls_; }
    // Calls left out of the list, the oldest.
    std::size_t dropped() const { return dropped_; }
    const DayFigures& figures() const { return figures_; }
    // Missed calls not called back yet.
    int notCalledBack() const { return figures_.byOutcome().missed - calledBack_; }
    // Rows of the day's file that could not be read.
    int unreadableRows() const { return unreadable_; }

private:
    QDate date_;
    std::int64_t startMs_ = 0; // [start, end) on the wall clock
    std::int64_t endMs_ = 0;
    std::deque<CallEntry> calls_;
    std::size_t dropped_ = 0;
    DayFigures figures_;
    int calledBack_ = 0;
    int unreadable_ = 0;
};
