#include "console/call_journal.h"

#include "configuration/configuration.h"
#include "console/console_state.h"
#include "platform/clock.h"
#include "platform/journal_store.h"
#include "platform/messages.h"
#include "platform/timer.h"
#include "wire/commands.h"
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

// A call as the operator is told of it: "07/12/2026 09:00:00 14 Caja (interno, perdida)".
QString describe(const CallEntry& call)
{
    QString text = localTime(call.endedMs).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss ")) + call.origin;
    if (!call.name.isEmpty())
        text += QLatin1Char(' ') + call.name;
    if (call.kind == CallKind::Callback)
        return text + QStringLiteral(" (%1)").arg(kindText(call.kind));
    return text + QStringLiteral(" (%1, %2)").arg(kindText(call.kind), outcomeText(call.outcome));
}

} // namespace

CallJournal::CallJournal(Parts parts)
    : parts_(parts)
{
    parts_.store.onFailure([this](const QDate& day, const QString& error) { reportFailure(day, error); });
    parts_.store.onHeldWritten([this] { heldWritten(); });
    parts_.retry.onTick([this] { parts_.store.retry(); });
}

CallJournal::~CallJournal()
{
    parts_.store.onFailure(nullptr);
    parts_.store.onHeldWritten(nullptr);
}

void CallJournal::restoreToday()
{
    enterDay(parts_.clock.wallMs());
    today_ = day(today_.date());
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

void CallJournal::commandSent(unsigned char command)
{
    const int slot = wire::selectedExtension(command);
    if (slot == 0)
        return;
    const std::int64_t nowMs = parts_.clock.wallMs();
    const bool newDay = enterDay(nowMs);
    const QString& number = parts_.state.extensionNumber(slot);
    const bool marked = today_.markCallback(number, nowMs);
    if (marked)
        parts_.store.append({nowMs, number, nameOf(slot - 1), CallKind::Callback, 0, CallOutcome::Missed, nowMs});
    if (newDay || marked)
        changed();
}

void CallJournal::start(int position, std::uint8_t code)
{
    WaitingCall call;
    call.position = position;
    call.startedMs = parts_.clock.wallMs();
    call.startedUs = parts_.clock.monotonicUs();
    call.kind = kindOf(position, code);
    call.origin = isLine(position) ? lineName(position - FirstLine) : parts_.state.extensionNumber(position + 1);
    call.name = nameOf(position);
    calls_[position] = std::move(call);
}

// The name the operator gave the extension at this frame position; none for a line.
QString CallJournal::nameOf(int position) const
{
    return position < NameBoxCount ? parts_.configuration.names[position] : QString();
}

void CallJournal::end(int position, CallOutcome outcome)
{
    const WaitingCall call = std::move(*calls_[position]);
    calls_[position].reset();
    const std::int64_t waitedUs = std::max<std::int64_t>(0, parts_.clock.monotonicUs() - call.startedUs);
    const CallEntry entry{
        call.startedMs, call.origin, call.name, call.kind, waitedUs / UsPerSecond, outcome, parts_.clock.wallMs()};
    enterDay(entry.endedMs);
    today_.add(entry);
    parts_.store.append(entry);
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
    return missedToday() > 0 ? caption + QStringLiteral(" (%1)").arg(missedToday()) : caption;
}

std::vector<QDate> CallJournal::daysWithFiles() const
{
    return parts_.store.days();
}

CallDay CallJournal::day(const QDate& date) const
{
    const std::optional<QByteArray> file = parts_.store.readDay(date);
    return file ? CallDay::read(date, *file) : CallDay(date);
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
    if (today_.contains(wallMs))
        return false;
    today_ = CallDay(localTime(wallMs).date());
    return true;
}

void CallJournal::finish()
{
    parts_.retry.setInterval(0);
    finished_ = true;
    const std::vector<CallEntry> unwritten = parts_.store.finish();
    const int dropped = parts_.store.dropped();
    if (unwritten.empty() && dropped == 0)
        return;
    QString text = QStringLiteral("No se pudieron guardar estas llamadas:");
    const int named = std::min<int>(MostNamed, int(unwritten.size()));
    for (int i = 0; i < named; ++i)
        text += QStringLiteral("\r\n") + describe(unwritten[std::size_t(i)]);
    if (const int more = int(unwritten.size()) - named + dropped; more > 0)
        text += QStringLiteral("\r\ny %1 más.").arg(more);
    parts_.messages.beep();
    parts_.messages.show(text, QStringLiteral("Registro de llamadas"), MessageStyle::Critical);
}

// Once for each day of file and reason while calls are held: a disk that
// stays full does not bury the operator in boxes. The held calls are tried
// again every RetryMs from the first failure on.
void CallJournal::reportFailure(const QDate& day, const QString& error)
{
    if (finished_ || (day == reportedDay_ && error == reportedError_))
        return;
    if (parts_.retry.interval() == 0)
        parts_.retry.setInterval(RetryMs);
    reportedDay_ = day;
    reportedError_ = error;
    parts_.messages.beep();
    parts_.messages.show(QStringLiteral("No se pueden guardar las llamadas del %1.\r\n%2\r\n"
                                        "Las llamadas que esperan se guardarán en cuanto se pueda escribir.")
                             .arg(day.toString(QStringLiteral("dd/MM/yyyy")), error),
        QStringLiteral("Registro de llamadas"), MessageStyle::Critical);
}

// All held calls are in their files: no more retries, and a new failure is told again.
void CallJournal::heldWritten()
{
    parts_.retry.setInterval(0);
    reportedDay_ = QDate();
    reportedError_.clear();
}

void CallJournal::changed()
{
    if (changed_)
        changed_();
}
