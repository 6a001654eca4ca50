#include "console/call_journal.h"

#include "configuration/configuration.h"
#include "console/console_state.h"
#include "console/journal_csv.h"
#include "platform/clock.h"
#include "platform/journal_store.h"
#include "platform/messages.h"
#include "wire/status_codes.h"

#include <algorithm>

namespace
{

namespace ext = wire::extension;
namespace line = wire::line;

constexpr int FirstLine = wire::linePosition(1);
constexpr std::int64_t UsPerSecond = 1'000'000;

bool isLine(int position)
{
    return position >= FirstLine;
}

bool isCalling(int position, std::uint8_t code)
{
    if (isLine(position))
        return code == line::Calling || code == line::Returned;
    return code == ext::Calling;
}

const QString& lineName(int line)
{
    static const std::array<QString, wire::OutsideLines> names{QStringLiteral("L1"), QStringLiteral("L2"),
        QStringLiteral("L3"), QStringLiteral("L4"), QStringLiteral("L5"), QStringLiteral("L6")};
    return names[line];
}

CallKind kindOf(int position, std::uint8_t code)
{
    if (!isLine(position))
        return CallKind::Extension;
    return code == line::Returned ? CallKind::Returned : CallKind::Incoming;
}

// Whether the code a call left to means the console took it.
bool answeredBy(int position, std::uint8_t code)
{
    return isLine(position) ? code == line::Taken : code == ext::Talking;
}

} // namespace

CallJournal::CallJournal(Parts parts)
    : parts_(parts)
{
    parts_.store.onFailure([this](const QDate& day, const QString& error) { reportFailure(day, error); });
}

CallJournal::~CallJournal()
{
    parts_.store.onFailure(nullptr);
}

void CallJournal::restoreToday()
{
    const std::int64_t nowMs = parts_.clock.wallMs();
    enterDay(nowMs);
    const std::optional<QByteArray> file = parts_.store.readDay(localTime(nowMs).date());
    if (!file)
        return;
    for (const CallEntry& entry : journal_csv::read(*file)) {
        if (entry.endedMs >= dayStartMs_ && entry.endedMs < dayEndMs_)
            keep(entry);
    }
    changed();
}

void CallJournal::frameApplied()
{
    checkDay();
    const auto& codes = parts_.state.codes();
    bool any = false;
    for (int position = 0; position < wire::StatusFrameLength; ++position) {
        const std::uint8_t code = codes[position];
        const bool calling = isCalling(position, code);
        if (calls_[position].has_value() == calling)
            continue;
        any = true;
        if (calling)
            start(position, code);
        else
            end(position, answeredBy(position, code) ? CallOutcome::Answered : CallOutcome::Missed);
    }
    if (any)
        changed();
}

void CallJournal::linkClosed()
{
    bool any = false;
    for (int position = 0; position < wire::StatusFrameLength; ++position) {
        if (!calls_[position])
            continue;
        any = true;
        end(position, CallOutcome::Unfinished);
    }
    if (any)
        changed();
}

void CallJournal::start(int position, std::uint8_t code)
{
    WaitingCall call;
    call.position = position;
    call.startedMs = parts_.clock.wallMs();
    call.startedUs = parts_.clock.monotonicUs();
    call.kind = kindOf(position, code);
    if (isLine(position)) {
        call.origin = lineName(position - FirstLine);
    } else {
        call.origin = parts_.state.extensionNumber(position + 1);
        if (position < NameBoxCount)
            call.name = parts_.configuration.names[position];
    }
    calls_[position] = std::move(call);
}

void CallJournal::end(int position, CallOutcome outcome)
{
    const WaitingCall call = std::move(*calls_[position]);
    calls_[position].reset();
    const std::int64_t waitedUs = std::max<std::int64_t>(0, parts_.clock.monotonicUs() - call.startedUs);
    const CallEntry entry{
        call.startedMs, call.origin, call.name, call.kind, waitedUs / UsPerSecond, outcome, parts_.clock.wallMs()};
    enterDay(entry.endedMs);
    keep(entry);
    parts_.store.append(entry);
}

// Into today's list and count.
void CallJournal::keep(const CallEntry& entry)
{
    if (entry.outcome == CallOutcome::Missed)
        ++missedToday_;
    today_.push_back(entry);
    if (today_.size() > KeptEntries)
        today_.pop_front();
}

std::vector<WaitingCall> CallJournal::waiting() const
{
    std::vector<WaitingCall> calls;
    for (const auto& call : calls_) {
        if (call)
            calls.push_back(*call);
    }
    std::stable_sort(calls.begin(), calls.end(),
        [](const WaitingCall& a, const WaitingCall& b) { return a.startedUs < b.startedUs; });
    return calls;
}

std::int64_t CallJournal::secondsWaiting(const WaitingCall& call) const
{
    return std::max<std::int64_t>(0, parts_.clock.monotonicUs() - call.startedUs) / UsPerSecond;
}

QString CallJournal::buttonCaption() const
{
    const QString caption = QStringLiteral("LLAMADAS");
    return missedToday_ > 0 ? caption + QStringLiteral(" (%1)").arg(missedToday_) : caption;
}

// Once a minute of frames, so that today's list and count start afresh at midnight.
void CallJournal::checkDay()
{
    const std::int64_t nowUs = parts_.clock.monotonicUs();
    if (nowUs < nextDayCheckUs_)
        return;
    nextDayCheckUs_ = nowUs + DayCheckUs;
    if (enterDay(parts_.clock.wallMs()))
        changed();
}

bool CallJournal::enterDay(std::int64_t wallMs)
{
    if (wallMs >= dayStartMs_ && wallMs < dayEndMs_)
        return false;
    const QDate day = localTime(wallMs).date();
    dayStartMs_ = QDateTime(day, QTime(0, 0)).toMSecsSinceEpoch();
    dayEndMs_ = QDateTime(day.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
    today_.clear();
    missedToday_ = 0;
    return true;
}

// Once per day of file: a disk that stays full does not bury the operator in boxes.
void CallJournal::reportFailure(const QDate& day, const QString& error)
{
    if (day == reportedDay_)
        return;
    reportedDay_ = day;
    parts_.messages.beep();
    parts_.messages.show(QStringLiteral("No se pueden guardar las llamadas del %1.\r\n%2")
                             .arg(day.toString(QStringLiteral("dd/MM/yyyy")), error),
        QStringLiteral("Registro de llamadas"), MessageStyle::Critical);
}

void CallJournal::changed()
{
    if (changed_)
        changed_();
}
