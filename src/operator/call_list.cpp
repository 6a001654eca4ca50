#include "operator/call_list.h"

#include "console/call_journal.h"
#include "operator/keyboard_commands.h"

#include <algorithm>

CallList::CallList(const CallJournal& journal, KeyboardCommands& keyboard)
    : journal_(journal)
    , keyboard_(keyboard)
{
}

void CallList::showToday()
{
    shown_.reset();
}

bool CallList::showEarlierDay()
{
    const std::optional<QDate> date = earlierDay();
    if (date)
        show(*date);
    return date.has_value();
}

bool CallList::showLaterDay()
{
    const std::optional<QDate> date = laterDay();
    if (date)
        show(*date);
    return date.has_value();
}

const CallDay& CallList::day() const
{
    return shown_ ? *shown_ : journal_.today();
}

QString CallList::title() const
{
    return QStringLiteral("Llamadas del ") + day().date().toString(QStringLiteral("dd/MM/yyyy"));
}

void CallList::activate(const WaitingCall& call)
{
    keyboard_.answer(call);
}

void CallList::activate(const CallEntry& call)
{
    if (canCallBack(call))
        keyboard_.callNumber(call.origin);
}

// An outside line's caller is never told by the exchange: only an extension can be called back.
bool CallList::canCallBack(const CallEntry& call)
{
    const auto digit = [](QChar c) { return c.isDigit(); };
    return call.kind == CallKind::Extension && call.outcome == CallOutcome::Missed && !call.origin.isEmpty()
        && std::all_of(call.origin.cbegin(), call.origin.cend(), digit);
}

std::optional<QDate> CallList::earlierDay() const
{
    const std::vector<QDate> days = journal_.daysWithFiles();
    const auto after = std::lower_bound(days.begin(), days.end(), day().date());
    return after == days.begin() ? std::nullopt : std::optional(*(after - 1));
}

std::optional<QDate> CallList::laterDay() const
{
    if (showingToday())
        return std::nullopt;
    const std::vector<QDate> days = journal_.daysWithFiles();
    const auto later = std::upper_bound(days.begin(), days.end(), day().date());
    const QDate today = journal_.today().date();
    return later != days.end() && *later < today ? *later : today;
}

// Today is shown live from the journal, never from its file. The day shown
// before goes first, so that two busy days are never held at once.
void CallList::show(const QDate& date)
{
    shown_.reset();
    if (date != journal_.today().date())
        shown_ = journal_.day(date);
}
