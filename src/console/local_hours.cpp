#include "console/local_hours.h"

#include <QDateTime>

namespace
{

constexpr std::int64_t MsPerHour = 3'600'000;
constexpr std::int64_t MsPerDay = 86'400'000;
constexpr qint64 UnixEpochJulianDay = 2'440'588;

} // namespace

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
        offsetMs_ = std::int64_t(QDateTime(date, time).offsetFromUtc()) * 1000;
    }
    return (date.toJulianDay() - UnixEpochJulianDay) * MsPerDay + time.msecsSinceStartOfDay() - offsetMs_;
}
