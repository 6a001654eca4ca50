#pragma once

#include "platform/desktop_tray.h"
#include "shell/notify_text_field.h"

#include <QString>

#include <cstdint>
#include <functional>

// The console's notification-area icon. It keeps one notification record
// (icon, tooltip, balloon) for its whole life and sends it to the desktop
// per request; failures come back only as Boolean answers.
class TrayIcon
{
public:
    static constexpr int TooltipField = 128;
    static constexpr int BalloonTextField = 256;
    static constexpr int BalloonTitleField = 64;

    explicit TrayIcon(DesktopTray& desktop);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool initialize();
    bool showBalloon(const QString& message, const QString& title, std::int32_t style, double timeout);
    void removeBalloon();
    bool addIcon();
    bool refresh();
    bool visible() const { return visible_; }
    bool removeIcon();

    bool autoRefresh() const { return autoRefresh_; }
    void setAutoRefresh(bool on) { autoRefresh_ = on; }
    // The whole tooltip field, zero characters included.
    QString tooltip() const { return tip_.raw(); }
    void setTooltip(const QString& text);
    int icon() const { return icon_; }
    void setIcon(int image);

    // Button 0 left, 1 right. The desktop reports clicks after release, so a
    // click is the press; the second click of a double click does nothing more.
    std::function<void(int button)> onPress;

private:
    void onActivated(DesktopTray::Activation a);
    static void raise(const std::function<void(int)>& event, int button);

    DesktopTray& desktop_;
    bool visible_ = false;
    bool autoRefresh_ = false;
    int icon_ = 0;
    NotifyTextField<TooltipField> tip_;
    NotifyTextField<BalloonTextField> info_;
    NotifyTextField<BalloonTitleField> infoTitle_;
    int timeout_ = 1;
    std::int32_t infoFlags_ = 0;
};
