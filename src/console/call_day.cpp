#include "console/call_day.h"

#include "console/journal_csv.h"

#include <QDateTime>

namespace
{

std::int64_t midnightMs(const QDate& day)
{
    return QDateTime(day, QTime(0, 0)).toMSecsSinceEpoch();
}

} // namespace

CallDay::CallDay(const QDate& date)
    : date_(date)
    , startMs_(midnightMs(date))
    , endMs_(midnightMs(date.addDays(1)))
{
}

CallDay CallDay::read(const QDate& date, const QByteArray& file)
{
    CallDay day(date);
    const journal_csv::Rows rows = journal_csv::read(file);
    day.unreadable_ = rows.unreadable;
    for (const CallEntry& entry : rows.entries) {
        if (!day.contains(entry.endedMs))
            continue;
        if (entry.kind == CallKind::Callback)
            day.markCallback(entry.origin, entry.endedMs);
        else
            day.add(entry);
    }
    return day;
}

void CallDay::add(const CallEntry& call)
{
    figures_.add(call);
    calls_.push_back(call);
    if (calls_.size() <= KeptCalls)
        return;
    calls_.pop_front();
    ++dropped_;
}

bool CallDay::markCallback(const QString& origin, std::int64_t atMs)
{
    for (auto call = calls_.rbegin(); call != calls_.rend(); ++call) {
        if (call->kind != CallKind::Extension || call->outcome != CallOutcome::Missed || call->origin != origin
            || call->calledBackMs != 0)
            continue;
        call->calledBackMs = atMs;
        ++calledBack_;
        return true;
    }
    return false;
}
