#pragma once

#include "platform/foreground_window.h"

class QWidget;

// The foreground window's title: on X11 the active window's name from the
// window manager's properties; elsewhere our own caption while our window is
// active, else an empty title.
class QtForegroundWindow final : public ForegroundWindow
{
public:
    explicit QtForegroundWindow(const QWidget& window)
        : window_(window)
    {
    }
    std::optional<QString> title() const override;

private:
    const QWidget& window_;
};
