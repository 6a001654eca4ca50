#include "shell/cls_tray.h"

#include <cmath>

clsTray::clsTray(DesktopTray& desktop)
    : desktop_(desktop)
{
    desktop_.onActivated([this](DesktopTray::Activation a) { onActivated(a); });
}

clsTray::~clsTray()
{
    desktop_.onActivated({});
    if (visible_)
        RemoveIcon();
}

bool clsTray::Initialize()
{
    icon_ = 0;
    timeout_ = 1;
    return desktop_.initialize();
}

bool clsTray::ShowBalloonTip(const QString& message, const QString& title, std::int32_t style, double timeout)
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

void clsTray::RemoverBalloon()
{
    if (!visible_)
        return;
    info_.clear();
    infoTitle_.clear();
    desktop_.removeBalloon();
}

bool clsTray::AddIcon()
{
    if (visible_)
        return false;
    if (!desktop_.add(icon_, tip_.text()))
        return false;
    visible_ = true;
    return true;
}

bool clsTray::Refresh()
{
    if (!visible_)
        return false;
    desktop_.modify(icon_, tip_.text());
    return true;
}

bool clsTray::RemoveIcon()
{
    if (!visible_)
        return false;
    desktop_.remove();
    visible_ = false;
    return true;
}

void clsTray::setTooltip(const QString& text)
{
    tip_.set(text);
    if (autoRefresh_)
        Refresh();
}

void clsTray::setIcon(int image)
{
    icon_ = image;
    if (autoRefresh_)
        Refresh();
}

void clsTray::onActivated(DesktopTray::Activation a)
{
    switch (a) {
    case DesktopTray::Activation::Trigger: raise(MouseDown, 0); break;
    case DesktopTray::Activation::Context: raise(MouseDown, 1); break;
    case DesktopTray::Activation::DoubleClick: raise(DoubleClick, 0); break;
    }
}

void clsTray::raise(const std::function<void(int)>& event, int button)
{
    if (event)
        event(button);
}
