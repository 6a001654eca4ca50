#pragma once

#include <QString>

class CallJournal;
class ConsoleState;
class Messages;
class OperatorCommands;
class OperatorView;
class Panel;
class SpeedDialDirectory;
class Timer;
struct WaitingCall;

// The operator's keys on the main window, each acting as its mouse twin
// through the same commands and the same transmit queue:
//
//   Enter          no digits typed: take the line whose call has waited longest
//   digits, Enter  call or retrieve the extension with that number
//   Esc            forget the typed digits (so do Enter, Backspace to empty, 5 s without a key)
//   F1-F6          take line 1-6
//   F7             the second command button, by its caption, while it is shown
//   F8             the first command button, while it is shown
//   F9             open the directory, while AGENDA is usable
//
// A call from the keys leaves the focus where it is; the call list's Enter
// calls a number back and answers a waiting call under the same rules. A key
// whose command cannot be queued (an extension neither free nor held, an
// unknown number, a full queue) beeps and tells a screen reader why.
class KeyboardCommands
{
public:
    static constexpr int DigitTimeoutMs = 5000;
    // The longest extension number the numbering table can give.
    static constexpr int MaxDigits = 4;

    struct Parts {
        OperatorCommands& commands;
        const ConsoleState& state;
        const CallJournal& journal; // the calls waiting, longest first
        const Panel& panel;
        SpeedDialDirectory& directory;
    };
    KeyboardCommands(Parts parts, Messages& messages, OperatorView& view, Timer& digitTimer);

    void enter();
    void escape();
    void backspace();
    void digit(int value);
    // F1 to F9.
    void functionKey(int number);
    // Call or retrieve the extension with this number, as digits and Enter do.
    void callNumber(const QString& number);
    // Answer this waiting call as a click on its line or extension does (the focus left where it is).
    void answer(const WaitingCall& call);

    const QString& typed() const { return typed_; }

private:
    void answerLongestWaiting();
    void takeLine(int index);
    void callExtension(int index);
    void setTyped(const QString& digits);
    void refuseUnless(bool queued);
    void refuse(const QString& why);

    Parts parts_;
    Messages& messages_;
    OperatorView& view_;
    Timer& digitTimer_;
    QString typed_;
};
