#pragma once

#include <QWidget>

// Tells a screen reader about a call that started waiting without moving the
// keyboard focus: an invisible speck of the window with the accessible role
// of a notification, whose name is the message and which shows itself anew
// for each one. On Linux that is an "object:state-changed:showing" event on
// an AT-SPI object of role "notification", which a screen reader speaks.
class CallAnnouncer final : public QWidget
{
public:
    explicit CallAnnouncer(QWidget* parent);

    void announce(const QString& message);
};
