#pragma once

#include <QObject>
#include <QString>

// A withdrawable desktop notification through the freedesktop notification
// service on the session bus. Calls never block: the id comes back later,
// and a withdrawal asked for before then is done when it comes.
class DesktopNotification final : public QObject
{
    Q_OBJECT
public:
    DesktopNotification();

    // Whether the session bus offers the notification service.
    bool available() const { return available_; }
    void show(const QString& title, const QString& text);
    void close();

private:
    bool available_ = false;
    uint id_ = 0;
    // Shows asked for whose id has not come back yet, and whether the
    // latest of them is still wanted.
    int pending_ = 0;
    bool wanted_ = false;
};
