#include "operator/keyboard_commands.h"

#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "directory/speed_dial_directory.h"
#include "operator/operator_commands.h"
#include "operator/operator_view.h"
#include "platform/messages.h"
#include "platform/timer.h"
#include "wire/frame_layout.h"

KeyboardCommands::KeyboardCommands(Parts parts, Messages& messages, OperatorView& view, Timer& digitTimer)
    : parts_(parts)
    , messages_(messages)
    , view_(view)
    , digitTimer_(digitTimer)
{
    digitTimer_.onTick([this] { setTyped(QString()); });
}

void KeyboardCommands::enter()
{
    if (typed_.isEmpty()) {
        answerLongestWaiting();
        return;
    }
    const QString number = typed_;
    setTyped(QString());
    callNumber(number);
}

void KeyboardCommands::escape()
{
    setTyped(QString());
}

void KeyboardCommands::backspace()
{
    setTyped(typed_.chopped(typed_.isEmpty() ? 0 : 1));
}

void KeyboardCommands::digit(int value)
{
    if (typed_.size() == MaxDigits) {
        messages_.beep();
        setTyped(typed_);
        return;
    }
    setTyped(typed_ + QChar(char16_t(u'0' + value)));
}

void KeyboardCommands::functionKey(int number)
{
    setTyped(typed_);
    const Panel& panel = parts_.panel;
    if (number <= wire::OutsideLines)
        takeLine(number - 1);
    else if (number == 7 && panel.retrieveButton().visible)
        refuseUnless(parts_.commands.retrievePressed(panel.retrieveButton().caption));
    else if (number == 8 && panel.cutButton().visible)
        refuseUnless(parts_.commands.cutPressed());
    else if (number == 9 && panel.directoryEnabled())
        parts_.directory.openFocused();
}

void KeyboardCommands::callNumber(const QString& number)
{
    for (int slot = 1; slot <= wire::ExtensionSlots; ++slot) {
        if (parts_.state.extensionNumber(slot) == number) {
            callExtension(slot - 1);
            return;
        }
    }
    refuse(QStringLiteral("No existe el interno %1").arg(number));
}

void KeyboardCommands::answer(const WaitingCall& call)
{
    if (call.position >= wire::ExtensionSlots)
        takeLine(call.position - wire::ExtensionSlots);
    else
        callExtension(call.position);
}

void KeyboardCommands::answerLongestWaiting()
{
    for (const WaitingCall& call : parts_.journal.waiting()) {
        if (call.position >= wire::ExtensionSlots) {
            takeLine(call.position - wire::ExtensionSlots);
            return;
        }
    }
}

// As a left click on the extension, but the focus stays where it is.
void KeyboardCommands::callExtension(int index)
{
    if (parts_.commands.extensionAccepted(index))
        refuseUnless(parts_.commands.callExtension(index));
    else
        refuse(QStringLiteral("No se puede llamar al interno %1: %2")
                   .arg(parts_.state.extensionNumber(index + 1), parts_.panel.numberLabel(index).tooltip));
}

void KeyboardCommands::takeLine(int index)
{
    parts_.commands.press(MouseButton::Left);
    refuseUnless(parts_.commands.lineClick(index));
}

// Every key restarts the countdown of the digits shown; none shown, none runs.
void KeyboardCommands::setTyped(const QString& digits)
{
    digitTimer_.setInterval(digits.isEmpty() ? 0 : DigitTimeoutMs);
    if (digits == typed_)
        return;
    typed_ = digits;
    view_.showTypedDigits(typed_);
}

void KeyboardCommands::refuseUnless(bool queued)
{
    if (!queued)
        refuse(QStringLiteral("Cola de órdenes llena: orden no enviada"));
}

void KeyboardCommands::refuse(const QString& why)
{
    messages_.beep();
    view_.say(why);
}
