#pragma once

#include "console/local_hours.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

struct CallEntry;

// The calls of one hour of the day, by how they ended.
struct HourCalls {
    int answered = 0;
    int missed = 0;
    int unfinished = 0;
    int total() const { return answered + missed + unfinished; }
};

// The figures of a day's calls, kept call by call: every ended call counts
// (atendida, perdida and sin final), in the hour it ended; waits are whole
// seconds, the average rounded to the nearest.
class DayFigures
{
public:
    static constexpr int Hours = 24;

    void add(const CallEntry& call);

    int calls() const { return day_.total(); }
    const HourCalls& byOutcome() const { return day_; }
    std::int64_t averageWaitSeconds() const;
    std::int64_t longestWaitSeconds() const { return longestWait_; }
    const std::array<HourCalls, Hours>& hours() const { return hours_; }
    // The hour with the most calls, the earliest on a tie; nothing without calls.
    std::optional<int> busiestHour() const;

    // The line of figures: "07/12/2026: 42 llamadas, 38 atendidas, 4 perdidas (10 %), ...".
    QString summary(const QDate& day) const;
    // "Hora con más llamadas: 10 a 11, 14 llamadas, 3 perdidas".
    QString busiestHourText() const;

private:
    HourCalls day_;
    std::array<HourCalls, Hours> hours_{};
    std::int64_t totalWait_ = 0;
    std::int64_t longestWait_ = 0;
    LocalHours localHours_;
};

// Seconds as "m:ss".
QString minutesAndSeconds(std::int64_t seconds);
