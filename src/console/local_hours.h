#pragma once

#include <QDate>
#include <QTime>

#include <cstdint>

// Local hours of wall-clock instants, and the instants of local times, one
// hour at a time: a day's calls come in order, so the hour last met serves
// the next ones without asking the system's time-zone rules, which can cost
// microseconds each time.
// The instant of a local date and time. A time the clocks skipped going
// forward counts on the offset in force before the skip, so that it falls just
// after it (a midnight skipped is the day's first instant).
std::int64_t localWallMs(const QDate& date, const QTime& time);

class LocalHours
{
public:
    // The local hour (0-23) of an instant.
    int hourOf(std::int64_t wallMs);
    // The instant of a local date and time.
    std::int64_t wallMsOf(const QDate& date, const QTime& time);

private:
    std::int64_t hourStartMs_ = 0; // the local hour last met, [start, end) on the wall clock
    std::int64_t hourEndMs_ = 0;
    int hour_ = 0;
    QDate offsetDate_; // the local hour whose offset from UTC was last asked
    int offsetHour_ = -1;
    std::int64_t offsetMs_ = 0;
};
