#pragma once

#include "platform/desktop_tray.h"
#include "platform/qt/desktop_notification.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

#include <array>

// The notification-area icon on QSystemTrayIcon; the balloon is a desktop
// notification where the session bus offers one, else the icon's message.
// The icon lives where the toolkit puts it: with a StatusNotifierItem host on
// the session bus at start (KDE Plasma, XFCE, Cinnamon, GNOME's extension),
// an item on the bus; else in the X11 (XEmbed) tray, if any. Either way the
// area's going away is reported: the watcher leaving the bus, or the tray's
// selection found without an owner (looked at once a second).
class QtDesktopTray final : public DesktopTray
{
public:
    explicit QtDesktopTray(std::array<QIcon, 2> images);

    bool initialize() override { return true; }
    bool areaAvailable() const override;
    bool add(int image, const QString& tooltip) override;
    void modify(int image, const QString& tooltip) override;
    void remove() override;
    void showBalloon(const QString& title, const QString& text, int style, int timeout) override;
    void removeBalloon() override;

    const QSystemTrayIcon& icon() const { return icon_; }

private:
    void forward(QSystemTrayIcon::ActivationReason reason);
    void watchStatusNotifierHost();
    void lookAtTray();

    std::array<QIcon, 2> images_;
    QSystemTrayIcon icon_;
    DesktopNotification notification_;
    int image_ = -1;
    const bool statusNotifier_; // the icon is a StatusNotifierItem
    bool area_; // the area as last seen
    QTimer trayCheck_;
};
