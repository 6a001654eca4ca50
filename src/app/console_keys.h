#pragma once

#include <QObject>

class ConsoleWindow;
class KeyboardCommands;
class QKeyEvent;
class QWidget;

// The operator's keys on the console window, taken at the application before
// the focused widget sees them: the keyboard rules get them while no text box
// has the focus and no frame (directory, port list) or message box is up, the
// panel gets its arrows, and F10 presses LLAMADAS. Space and Enter never press "&Salir", whatever
// has the focus: leaving stays a click or Alt+S.
class ConsoleKeys final : public QObject
{
public:
    ConsoleKeys(ConsoleWindow& window, KeyboardCommands& keyboard);
    ~ConsoleKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keysActive(const QWidget& receiver) const;
    bool dispatch(const QWidget& receiver, const QKeyEvent& key);

    ConsoleWindow& window_;
    KeyboardCommands& keyboard_;
};
