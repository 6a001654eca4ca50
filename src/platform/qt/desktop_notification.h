#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// A withdrawable desktop notification through the freedesktop notification
// service on a bus (the session bus unless told). Calls never block: the id
// comes back later, and a withdrawal asked for before then is done when it comes.
class DesktopNotification final : public QObject
{
    Q_OBJECT
public:
    explicit DesktopNotification(const QDBusConnection& bus = QDBusConnection::sessionBus());

    // Whether the bus offers the notification service.
    bool available() const { return available_; }
    void show(const QString& title, const QString& text);
    void close();

private:
    void withdraw(uint id);

    QDBusConnection bus_;
    bool available_ = false;
    uint id_ = 0; // the shown notification's, once it has come back
    int latest_ = 0; // the number of the latest show
    bool wanted_ = false; // whether the latest show is still wanted
};
