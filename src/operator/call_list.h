#pragma once

#include "console/call_day.h"

#include <QDate>
#include <QString>

#include <optional>

class CallJournal;
class KeyboardCommands;
struct WaitingCall;

// What the call list shows and does: today's calls, live, or those of an
// earlier day as its file tells them; steps to the previous or next day that
// has a file; and a row's action (Enter or a double click): a waiting call is
// answered, a missed call from an extension is called back under the rules
// of a typed number, any other row does nothing.
class CallList
{
public:
    CallList(const CallJournal& journal, KeyboardCommands& keyboard);

    void showToday();
    // The previous or next day that has a file (the next after the last is
    // today); false, and the same day shown, when there is none.
    bool showEarlierDay();
    bool showLaterDay();
    bool hasEarlierDay() const { return earlierDay().has_value(); }
    bool hasLaterDay() const { return laterDay().has_value(); }

    bool showingToday() const { return !shown_; }
    const CallDay& day() const;
    // "Llamadas del 07/12/2026".
    QString title() const;

    void activate(const WaitingCall& call);
    void activate(const CallEntry& call);
    static bool canCallBack(const CallEntry& call);

private:
    std::optional<QDate> earlierDay() const;
    std::optional<QDate> laterDay() const;
    void show(const QDate& date);

    const CallJournal& journal_;
    KeyboardCommands& keyboard_;
    std::optional<CallDay> shown_; // an earlier day; none: today
};
