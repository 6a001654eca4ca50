#include "console/day_figures.h"

#include "console/call_entry.h"

#include <QStringList>

#include <algorithm>

namespace
{

// "1 llamada", "2 llamadas".
QString count(int n, const QString& singular)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(singular, n == 1 ? QString() : QStringLiteral("s"));
}

// Missed calls and, only when there are any, the unfinished ones.
QStringList notAnswered(const HourCalls& calls)
{
    QStringList parts{count(calls.missed, QStringLiteral("perdida"))};
    if (calls.unfinished > 0)
        parts << QStringLiteral("%1 sin final").arg(calls.unfinished);
    return parts;
}

int percent(int part, int whole)
{
    return (part * 100 + whole / 2) / whole;
}

int& countOf(HourCalls& calls, CallOutcome outcome)
{
    switch (outcome) {
    case CallOutcome::Answered: return calls.answered;
    case CallOutcome::Missed: return calls.missed;
    case CallOutcome::Unfinished: break;
    }
    return calls.unfinished;
}

const QString NoCalls = QStringLiteral("ninguna llamada terminada");

} // namespace

void DayFigures::add(const CallEntry& call)
{
    ++countOf(day_, call.outcome);
    ++countOf(hours_[localHours_.hourOf(call.endedMs)], call.outcome);
    totalWait_ += call.waitedSeconds;
    longestWait_ = std::max(longestWait_, call.waitedSeconds);
}

std::int64_t DayFigures::averageWaitSeconds() const
{
    return calls() == 0 ? 0 : (totalWait_ + calls() / 2) / calls();
}

std::optional<int> DayFigures::busiestHour() const
{
    if (calls() == 0)
        return std::nullopt;
    const auto busiest = std::max_element(
        hours_.begin(), hours_.end(), [](const HourCalls& a, const HourCalls& b) { return a.total() < b.total(); });
    return int(busiest - hours_.begin());
}

QString DayFigures::summary(const QDate& day) const
{
    const QString date = day.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(": ");
    if (calls() == 0)
        return date + NoCalls;
    QStringList parts{count(calls(), QStringLiteral("llamada")), count(day_.answered, QStringLiteral("atendida"))};
    parts << notAnswered(day_);
    parts[2] += QStringLiteral(" (%1 %)").arg(percent(day_.missed, calls()));
    parts << QStringLiteral("espera media ") + minutesAndSeconds(averageWaitSeconds())
          << QStringLiteral("espera máxima ") + minutesAndSeconds(longestWait_);
    return date + parts.join(QStringLiteral(", "));
}

QString DayFigures::busiestHourText() const
{
    const std::optional<int> hour = busiestHour();
    if (!hour)
        return QStringLiteral("Hora con más llamadas: ") + NoCalls;
    const HourCalls& calls = hours_[*hour];
    const QStringList parts = QStringList{QStringLiteral("%1 a %2").arg(*hour).arg(*hour + 1),
                                  count(calls.total(), QStringLiteral("llamada"))}
        + notAnswered(calls);
    return QStringLiteral("Hora con más llamadas: ") + parts.join(QStringLiteral(", "));
}

QString minutesAndSeconds(std::int64_t seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
