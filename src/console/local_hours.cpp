#include "console/local_hours.h"

#include <QDateTime>

namespace
{

constexpr std::int64_t MsPerHour = 3'600'000;
constexpr std::int64_t MsPerDay = 86'400'000;
constexpr qint64 UnixEpochJulianDay = 2'440'588;

// The offset from UTC in force at a local time, or just before it when the
// clocks skipped it.
std::int64_t offsetMsAt(const QDate& date, const QTime& time)
{
    const QDateTime asUtc(date, time, Qt::UTC);
    for (int hoursBack = 0; hoursBack <= 24; ++hoursBack) {
        const QDateTime earlier = asUtc.addSecs(-3600 * hoursBack);
        const QDateTime local(earlier.date(), earlier.time());
        if (local.isValid())
            return std::int64_t(local.offsetFromUtc()) * 1000;
    }
    return 0;
}

std::int64_t msOf(const QDate& date, const QTime& time, std::int64_t offsetMs)
{
    return (date.toJulianDay() - UnixEpochJulianDay) * MsPerDay + time.msecsSinceStartOfDay() - offsetMs;
}

} // namespace

std::int64_t localWallMs(const QDate& date, const QTime& time)
{
    return msOf(date, time, offsetMsAt(date, time));
}

int LocalHours::hourOf(std::int64_t wallMs)
{
    if (wallMs >= hourStartMs_ && wallMs < hourEndMs_)
        return hour_;
    const QTime time = QDateTime::fromMSecsSinceEpoch(wallMs).time();
    hour_ = time.hour();
    hourStartMs_ = wallMs - (time.msecsSinceStartOfDay() - std::int64_t(hour_) * MsPerHour);
    hourEndMs_ = hourStartMs_ + MsPerHour;
    return hour_;
}

std::int64_t LocalHours::wallMsOf(const QDate& date, const QTime& time)
{
    if (date != offsetDate_ || time.hour() != offsetHour_) {
        offsetDate_ = date;
        offsetHour_ = time.hour();
        offsetMs_ = offsetMsAt(date, time);
    }
    return msOf(date, time, offsetMs_);
}
