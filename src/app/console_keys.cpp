#include "app/console_keys.h"

#include "app/console_window.h"
#include "app/panel_focus.h"
#include "operator/keyboard_commands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace
{

bool pressesButton(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
}

} // namespace

ConsoleKeys::ConsoleKeys(ConsoleWindow& window, KeyboardCommands& keyboard)
    : window_(window)
    , keyboard_(keyboard)
{
    qApp->installEventFilter(this);
}

ConsoleKeys::~ConsoleKeys()
{
    qApp->removeEventFilter(this);
}

bool ConsoleKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // A key the focused widget left unused comes again to each of its parents: only its first delivery counts.
    auto* receiver = qobject_cast<QWidget*>(watched);
    const QWidget* focus = QApplication::focusWidget();
    if (!receiver || receiver->window() != &window_ || (focus && receiver != focus))
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool press = event->type() == QEvent::KeyPress;
    const bool handled = press && keysActive(*receiver) && dispatch(*receiver, key);
    return handled || (receiver == window_.exitButton() && pressesButton(key.key()));
}

bool ConsoleKeys::keysActive(const QWidget& receiver) const
{
    return !QApplication::activeModalWidget() && !window_.frameShown() && !qobject_cast<const QLineEdit*>(&receiver);
}

// A held key acts once: a repeat is taken and does nothing.
bool ConsoleKeys::dispatch(const QWidget& receiver, const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int k = key.key();
    if (window_.panelFocus().step(&receiver, k))
        return true;
    const bool once = !key.isAutoRepeat();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        if (once)
            keyboard_.enter();
    } else if (k == Qt::Key_Escape) {
        keyboard_.escape();
    } else if (k == Qt::Key_Backspace) {
        keyboard_.backspace();
    } else if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        keyboard_.digit(k - Qt::Key_0);
    } else if (k >= Qt::Key_F1 && k <= Qt::Key_F9) {
        if (once)
            keyboard_.functionKey(k - Qt::Key_F1 + 1);
    } else if (k == Qt::Key_F10) {
        if (once)
            window_.callListButton()->click();
    } else {
        return false;
    }
    return true;
}
