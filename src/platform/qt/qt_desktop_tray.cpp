#include "platform/qt/qt_desktop_tray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>

namespace
{

// The icon's message shows this long when no notification service is there.
constexpr int MessageMs = 10000;
constexpr int TrayCheckMs = 1000;
const QString Watcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// What the toolkit asks, once, before it makes the icon a StatusNotifierItem.
bool statusNotifierHostOnBus()
{
    QDBusInterface watcher(Watcher, QStringLiteral("/StatusNotifierWatcher"), Watcher);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

} // namespace

QtDesktopTray::QtDesktopTray(std::array<QIcon, 2> images)
    : images_(std::move(images))
    , statusNotifier_(statusNotifierHostOnBus())
    , area_(statusNotifier_ || QSystemTrayIcon::isSystemTrayAvailable())
{
    // Queued: what a click leads to (the menu's Salir removes the icon) runs after
    // the icon's own mouse handling has returned, never inside it.
    QObject::connect(
        &icon_, &QSystemTrayIcon::activated, &icon_, [this](QSystemTrayIcon::ActivationReason r) { forward(r); },
        Qt::QueuedConnection);
    if (statusNotifier_) {
        watchStatusNotifierHost();
        return;
    }
    trayCheck_.setInterval(TrayCheckMs);
    QObject::connect(&trayCheck_, &QTimer::timeout, &icon_, [this] { lookAtTray(); });
    trayCheck_.start();
}

bool QtDesktopTray::areaAvailable() const
{
    return statusNotifier_ ? area_ : QSystemTrayIcon::isSystemTrayAvailable();
}

void QtDesktopTray::watchStatusNotifierHost()
{
    auto* watch = new QDBusServiceWatcher(
        Watcher, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange, &icon_);
    QObject::connect(watch, &QDBusServiceWatcher::serviceRegistered, &icon_, [this] { area_ = true; });
    QObject::connect(watch, &QDBusServiceWatcher::serviceUnregistered, &icon_, [this] {
        area_ = false;
        areaGone();
    });
}

void QtDesktopTray::lookAtTray()
{
    const bool now = QSystemTrayIcon::isSystemTrayAvailable();
    if (area_ && !now)
        areaGone();
    area_ = now;
}

bool QtDesktopTray::add(int image, const QString& tooltip)
{
    modify(image, tooltip);
    icon_.show();
    return true;
}

void QtDesktopTray::modify(int image, const QString& tooltip)
{
    if (image != image_ && image >= 0 && image < int(images_.size())) {
        image_ = image;
        icon_.setIcon(images_[image]);
    }
    if (tooltip != icon_.toolTip())
        icon_.setToolTip(tooltip);
}

void QtDesktopTray::remove()
{
    removeBalloon();
    icon_.hide();
}

void QtDesktopTray::showBalloon(const QString& title, const QString& text, int style, int)
{
    if (notification_.available()) {
        notification_.show(title, text);
        return;
    }
    const auto icon = style == 1 ? QSystemTrayIcon::Information : QSystemTrayIcon::NoIcon;
    icon_.showMessage(title, text, icon, MessageMs);
}

void QtDesktopTray::removeBalloon()
{
    if (notification_.available())
        notification_.close();
}

void QtDesktopTray::forward(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger: activated(Activation::Trigger); break;
    case QSystemTrayIcon::Context: activated(Activation::Context); break;
    case QSystemTrayIcon::DoubleClick: activated(Activation::DoubleClick); break;
    default: break;
    }
}
