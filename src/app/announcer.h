#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

// Tells a screen reader what happened without moving the keyboard focus (a
// call that started waiting, the focused element's new state, what a key
// could not do): an invisible speck of the window with the accessible role of
// a notification, whose name is the message and which shows itself anew for
// each one. On Linux that is an "object:state-changed:showing" event on an
// AT-SPI object of role "notification", which Orca speaks whatever has the
// focus. Messages given in one turn of the event loop go out as one, since a
// screen reader reads the name once, after the last of them.
class Announcer final : public QWidget
{
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);

private:
    void flush();

    QStringList pending_;
    QTimer flush_;
};
