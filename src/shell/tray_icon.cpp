#include "shell/tray_icon.h"

#include <cmath>

TrayIcon::TrayIcon(DesktopTray& desktop)
    : desktop_(desktop)
{
    desktop_.onActivated([this](DesktopTray::Activation a) { onActivated(a); });
}

TrayIcon::~TrayIcon()
{
    desktop_.onActivated({});
    if (visible_)
        removeIcon();
}

bool TrayIcon::initialize()
{
    icon_ = 0;
    timeout_ = 1;
    return desktop_.initialize();
}

bool TrayIcon::showBalloon(const QString& message, const QString& title, std::int32_t style, double timeout)
{
    if (!visible_)
        return false;
    info_.set(message);
    infoTitle_.set(title);
    timeout_ = int(std::lround(timeout));
    infoFlags_ = style;
    desktop_.showBalloon(infoTitle_.text(), info_.text(), infoFlags_, timeout_);
    return true;
}

void TrayIcon::removeBalloon()
{
    if (!visible_)
        return;
    info_.clear();
    infoTitle_.clear();
    desktop_.removeBalloon();
}

bool TrayIcon::addIcon()
{
    if (visible_)
        return false;
    if (!desktop_.add(icon_, tip_.text()))
        return false;
    visible_ = true;
    return true;
}

bool TrayIcon::refresh()
{
    if (!visible_)
        return false;
    desktop_.modify(icon_, tip_.text());
    return true;
}

bool TrayIcon::removeIcon()
{
    if (!visible_)
        return false;
    desktop_.remove();
    visible_ = false;
    return true;
}

void TrayIcon::setTooltip(const QString& text)
{
    tip_.set(text);
    if (autoRefresh_)
        refresh();
}

void TrayIcon::setIcon(int image)
{
    icon_ = image;
    if (autoRefresh_)
        refresh();
}

void TrayIcon::onActivated(DesktopTray::Activation a)
{
    switch (a) {
    case DesktopTray::Activation::Trigger: raise(onPress, 0); break;
    case DesktopTray::Activation::Context: raise(onPress, 1); break;
    case DesktopTray::Activation::DoubleClick: break;
    }
}

void TrayIcon::raise(const std::function<void(int)>& event, int button)
{
    if (event)
        event(button);
}
