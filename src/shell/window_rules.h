#pragma once

#include "platform/desktop_tray.h"
#include "platform/foreground_window.h"
#include "platform/window_services.h"

#include <QString>

#include <functional>

// How the console window hides, comes back and rises: minimising hides it
// (when the desktop has a notification area to bring it back from), and the
// icon's clicks and popup menu show, raise or minimise it.
class WindowRules
{
public:
    WindowRules(WindowServices& window, const ForegroundWindow& foreground, const DesktopTray& desktop,
        std::function<QString()> caption);

    bool isConsoleForeground() const;
    // The window's state changed (its resize notification).
    void stateChanged();
    // The notification area went away: a hidden window comes back, since
    // nothing else could show it.
    void areaGone();
    // "Mostrar": back to the normal state, shown.
    void restore();
    void bringToFront() { window_.bringToFront(); }
    void minimise() { window_.minimise(); }
    // A press on the icon: 0 left, 1 right.
    void trayPressed(int button);
    bool showEntryVisible() const { return showEntryVisible_; }

    // The popup menu's Salir.
    std::function<void()> onMenuExit;

private:
    void popupMenu();

    WindowServices& window_;
    const ForegroundWindow& foreground_;
    const DesktopTray& desktop_;
    std::function<QString()> caption_;
    bool showEntryVisible_ = true;
};
