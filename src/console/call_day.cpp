#include "console/call_day.h"

#include "console/journal_csv.h"

#include "console/local_hours.h"

CallDay::CallDay(const QDate& date)
    : date_(date)
    , startMs_(localWallMs(date, QTime(0, 0)))
    , endMs_(localWallMs(date.addDays(1), QTime(0, 0)))
{
}

CallDay CallDay::read(const QDate& date, const QByteArray& file)
{
    CallDay day(date);
    day.unreadable_ = journal_csv::read(file, [&day](CallEntry&& entry) {
        if (!day.contains(entry.endedMs))
            return;
        if (entry.kind == CallKind::Callback)
            day.markCallback(entry.origin, entry.endedMs);
        else
            day.add(std::move(entry));
    });
    return day;
}

void CallDay::add(CallEntry call)
{
    figures_.add(call);
    calls_.push_back(std::move(call));
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
