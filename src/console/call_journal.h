#pragma once

#include "console/call_day.h"
#include "console/call_entry.h"
#include "wire/frame_layout.h"

#include <QDate>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class Clock;
class ConsoleState;
class JournalStore;
class Messages;
class Timer;
struct Configuration;

// The journal of calls to the console, kept from the status frames. A call
// starts when a line enters code 6 or 7 or an extension code 4; it ends
// answered when that line or extension goes to code 2, missed when it leaves
// the calling codes any other way (6 to 7 and back is the same call), and
// "sin final" when the link closes while it waits. Each ended call goes to the
// store at once and into today's list; how long it waited comes from the
// monotonic clock, so a wall clock that is moved changes no waiting time.
// When the console sends the call command for an extension that called and
// was missed today, the latest such call not yet marked is marked called
// back, and the callback is filed as a row of its own. Calls the store could
// not write are tried again every RetryMs until they are written; the
// operator is told of a failure once for each day and reason, and at the end
// of which calls could still not be kept.
class CallJournal
{
public:
    // How often the frames look whether the day has changed.
    static constexpr std::int64_t DayCheckUs = 60'000'000;
    // How often calls held by a failed write are tried again.
    static constexpr int RetryMs = 30'000;
    // The end's message names at most this many calls that could not be kept.
    static constexpr int MostNamed = 15;

    struct Parts {
        JournalStore& store;
        const Clock& clock;
        Messages& messages;
        const ConsoleState& state;
        const Configuration& configuration;
        Timer& retry;
    };

    explicit CallJournal(Parts parts);
    ~CallJournal();
    CallJournal(const CallJournal&) = delete;
    CallJournal& operator=(const CallJournal&) = delete;

    // Start-up: today's calls filed by an earlier run come back into the list.
    void restoreToday();
    // A status frame has been applied to the console state.
    void frameApplied();
    // The link has closed: calls still waiting end "sin final".
    void linkClosed();
    // A command has gone to the exchange.
    void commandSent(unsigned char command);
    // The console ends: the calls held are tried once more and those still
    // not written are named to the operator.
    void finish();

    // Calls waiting now, the longest-waiting first.
    std::vector<WaitingCall> waiting() const;
    std::int64_t secondsWaiting(const WaitingCall& call) const;
    // Calls ended today, in the order they ended.
    const CallDay& today() const { return today_; }
    // Today's missed calls not called back yet.
    int missedToday() const { return today_.notCalledBack(); }
    // The list button's caption: "LLAMADAS", with today's missed calls not called back when there are any.
    QString buttonCaption() const;

    // The days that have a file, the earliest first; another day's calls as its file tells them.
    std::vector<QDate> daysWithFiles() const;
    CallDay day(const QDate& date) const;

    // Told after every change of the waiting calls or of today's list.
    void onChanged(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void start(int position, std::uint8_t code);
    void end(int position, CallOutcome outcome);
    QString nameOf(int position) const;
    void checkDay();
    // Starts today's list afresh when the wall-clock time falls on another
    // (local) day; true when it did.
    bool enterDay(std::int64_t wallMs);
    void reportFailure(const QDate& day, const QString& error);
    void heldWritten();
    void changed();

    Parts parts_;
    std::array<std::optional<WaitingCall>, wire::StatusFrameLength> calls_;
    CallDay today_;
    std::int64_t nextDayCheckUs_ = 0;
    QDate reportedDay_;
    QString reportedError_;
    bool finished_ = false;
    std::function<void()> changed_;
};
