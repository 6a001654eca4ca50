#pragma once

#include "platform/desktop_tray.h"
#include "platform/qt/desktop_notification.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <array>

// The notification-area icon on QSystemTrayIcon; the balloon is a desktop
// notification where the session bus offers one, else the icon's message.
class QtDesktopTray final : public DesktopTray
{
public:
    explicit QtDesktopTray(std::array<QIcon, 2> images);

    bool initialize() override { return true; }
    bool areaAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    bool add(int image, const QString& tooltip) override;
    void modify(int image, const QString& tooltip) override;
    void remove() override;
    void showBalloon(const QString& title, const QString& text, int style, int timeout) override;
    void removeBalloon() override;

    const QSystemTrayIcon& icon() const { return icon_; }

private:
    void forward(QSystemTrayIcon::ActivationReason reason);

    std::array<QIcon, 2> images_;
    QSystemTrayIcon icon_;
    DesktopNotification notification_;
    int image_ = -1;
};
