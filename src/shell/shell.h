#pragma once

#include "console/blink_timers.h"
#include "platform/desktop_tray.h"
#include "platform/foreground_window.h"
#include "platform/messages.h"
#include "platform/sound_output.h"
#include "platform/timer.h"
#include "platform/window_services.h"
#include "shell/console_parts.h"
#include "shell/pending_call_alert.h"
#include "shell/shell_events.h"
#include "shell/tray_icon.h"
#include "shell/window_rules.h"

#include <QString>

#include <functional>

// The desktop services the shell stands on.
struct ShellPlatform {
    Messages& messages;
    DesktopTray& desktop;
    SoundOutput& sound;
    const ForegroundWindow& foreground;
    WindowServices& window;
    ShellEvents& events;
};

// The timers whose intervals start-up sets, and the alert's.
struct ShellTimers {
    Timer& slowBlink;
    Timer& fastBlink;
    Timer& alert;
    Timer& probe;
};

// Start-up of the console window and every way it ends: the tray icon, the
// call alert and the window rules live here for the whole run.
class Shell
{
public:
    static constexpr int ProbeDelayMs = 300;

    // Where loading left the console.
    enum class Loaded { Starting, Inert, Ended };

    Shell(ShellPlatform platform, ShellTimers timers, ConsoleParts& parts, std::function<QString()> caption);

    // The window's load: palette, panel, tray icon, alert sound, timers,
    // configuration, in that order. Ended: the program ends at once.
    Loaded load();
    // The Salir button.
    void exitClicked();
    // The popup menu's Salir: unload at once.
    void menuExit() { unload(); }
    // The window's unload: the icon goes, the port is closed, the window closes.
    void unload();
    void removeTrayIcon();
    // The icon's balloon (a waiting call), and its withdrawal.
    void showBalloon(const QString& text, const QString& title, int iconStyle, int timeout);
    void removeBalloon();
    bool unloaded() const { return unloaded_; }

    TrayIcon& tray() { return tray_; }
    PendingCallAlert& alert() { return alert_; }
    WindowRules& window() { return window_; }
    const WindowRules& window() const { return window_; }

private:
    bool installTray();
    // The window is being closed by someone other than the program itself.
    void closeRequested(bool byOperator);

    ShellPlatform platform_;
    ShellTimers timers_;
    ConsoleParts& parts_;
    TrayIcon tray_;
    PendingCallAlert alert_;
    WindowRules window_;
    bool unloaded_ = false;
    bool balloonShown_ = false;
};
