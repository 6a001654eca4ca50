#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// How a call reached the console: a line calling (code 6), a line transferred
// or returned (code 7), an extension calling (code 4). A callback is no call
// but the console calling back an extension it missed, filed as a row of its own.
enum class CallKind { Incoming, Returned, Extension, Callback };
// How it left: taken by the console, gone any other way, or still waiting
// when the link closed.
enum class CallOutcome { Answered, Missed, Unfinished };

QString kindText(CallKind kind);
QString outcomeText(CallOutcome outcome);
// The kind or outcome a text names; nothing for any other text.
std::optional<CallKind> kindFromText(const QString& text);
std::optional<CallOutcome> outcomeFromText(const QString& text);

// A wall-clock time (milliseconds since 1970) in local time.
inline QDateTime localTime(std::int64_t wallMs)
{
    return QDateTime::fromMSecsSinceEpoch(wallMs);
}

// A call that waits for the console now.
struct WaitingCall {
    int position = 0; // frame position: slots 0-18, lines 19-24
    std::int64_t startedMs = 0; // on the wall clock
    std::int64_t startedUs = 0; // on the monotonic clock
    QString origin; // "L1"-"L6", or the extension's number
    QString name; // the extension's name, if any
    CallKind kind = CallKind::Incoming;
};

// A call that has ended, as the journal keeps and files it. A callback has
// its time as start and end, and no wait or outcome.
struct CallEntry {
    std::int64_t startedMs = 0;
    QString origin;
    QString name;
    CallKind kind = CallKind::Incoming;
    std::int64_t waitedSeconds = 0;
    CallOutcome outcome = CallOutcome::Missed;
    std::int64_t endedMs = 0;
    std::int64_t calledBackMs = 0; // a missed extension call: when the console called it back; 0 not yet
    bool operator==(const CallEntry&) const = default;
};
