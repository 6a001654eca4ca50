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

DesktopNotification::DesktopNotification()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return;
    available_ = bus.interface()->isServiceRegistered(Service).value()
        || bus.interface()->activatableServiceNames().value().contains(Service);
}

void DesktopNotification::show(const QString& title, const QString& text)
{
    QDBusMessage m = call(QStringLiteral("Notify"));
    // Application, id to replace, icon, summary, body, actions, hints, time-out (-1: the desktop's usual).
    m << QStringLiteral("opr903") << id_ << QStringLiteral("dialog-information") << title << text << QStringList()
      << QVariantMap() << -1;
    ++pending_;
    wanted_ = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(m), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        --pending_;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            return;
        id_ = reply.value();
        if (!wanted_ && pending_ == 0)
            close();
    });
}

void DesktopNotification::close()
{
    wanted_ = false;
    if (id_ == 0)
        return;
    QDBusMessage m = call(QStringLiteral("CloseNotification"));
    m << id_;
    QDBusConnection::sessionBus().asyncCall(m);
    id_ = 0;
}
