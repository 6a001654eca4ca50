#include "platform/qt/desktop_notification.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace
{

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Service, method);
}

} // namespace

DesktopNotification::DesktopNotification(const QDBusConnection& bus)
    : bus_(bus)
{
    if (!bus_.isConnected() || !bus_.interface())
        return;
    available_ = bus_.interface()->isServiceRegistered(Service).value()
        || bus_.interface()->activatableServiceNames().value().contains(Service);
}

void DesktopNotification::show(const QString& title, const QString& text)
{
    QDBusMessage m = call(QStringLiteral("Notify"));
    // Application, id to replace, icon, summary, body, actions, hints, time-out (-1: the desktop's usual).
    m << QStringLiteral("opr903") << id_ << QStringLiteral("dialog-information") << title << text << QStringList()
      << QVariantMap() << -1;
    const int number = ++latest_;
    wanted_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(m), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, number](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            return;
        // A show that was withdrawn or overtaken before its id came back goes now.
        if (number != latest_ || !wanted_)
            return withdraw(reply.value());
        id_ = reply.value();
    });
}

void DesktopNotification::close()
{
    wanted_ = false;
    if (id_ == 0)
        return;
    withdraw(id_);
    id_ = 0;
}

void DesktopNotification::withdraw(uint id)
{
    QDBusMessage m = call(QStringLiteral("CloseNotification"));
    m << id;
    bus_.asyncCall(m);
}
