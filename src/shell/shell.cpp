#include "shell/shell.h"

#include "version.h"

Shell::Shell(ShellPlatform platform, ShellTimers timers, ConsoleParts& parts, std::function<QString()> caption)
    : platform_(platform)
    , timers_(timers)
    , parts_(parts)
    , tray_(platform.desktop)
    , alert_(timers.alert, platform.sound, tray_, platform.events)
    , window_(platform.window, platform.foreground, platform.desktop, std::move(caption))
{
    tray_.onPress = [this](int button) { window_.trayPressed(button); };
    window_.onMenuExit = [this] { menuExit(); };
    platform.window.onStateChanged([this] { window_.stateChanged(); });
    platform.desktop.onAreaGone([this] { window_.areaGone(); });
    platform.window.onCloseRequested([this](bool byOperator) { closeRequested(byOperator); });
}

Shell::Loaded Shell::load()
{
    parts_.setPalette(paletteFromLineColours(design::LineColours));
    parts_.layOutPanel();
    if (!tray_.initialize()) {
        platform_.messages.show(QStringLiteral("Fatal Error! Cannot initialize the tray class!"),
            QStringLiteral("Fatal Error"), MessageStyle::Critical);
        return Loaded::Ended;
    }
    if (!installTray())
        return Loaded::Inert;
    alert_.prepare();
    timers_.slowBlink.setInterval(BlinkTimers::SlowMs);
    timers_.fastBlink.setInterval(BlinkTimers::FastMs);
    timers_.probe.setInterval(ProbeDelayMs);
    parts_.loadConfiguration();
    return Loaded::Starting;
}

bool Shell::installTray()
{
    tray_.setTooltip(QStringLiteral("Quindora R903 / ") + QLatin1String(version::Title));
    tray_.setIcon(PendingCallAlert::NormalIcon);
    tray_.setAutoRefresh(true);
    if (tray_.addIcon())
        return true;
    platform_.messages.show(
        QStringLiteral("Unable to add icon into the task tray!"), QStringLiteral("Error"), MessageStyle::Critical);
    return false;
}

void Shell::exitClicked()
{
    if (parts_.portChoiceVisible()) {
        unload();
        return;
    }
    parts_.endConnection();
}

void Shell::closeRequested(bool byOperator)
{
    if (unloaded_)
        return;
    if (byOperator)
        parts_.askToSaveChanges();
    unload();
}

void Shell::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    removeTrayIcon();
    for (Timer* t : {&timers_.slowBlink, &timers_.fastBlink, &timers_.alert, &timers_.probe})
        t->setEnabled(false);
    parts_.closeLink();
    platform_.events.exit();
    platform_.window.close();
}

void Shell::removeTrayIcon()
{
    if (tray_.removeIcon())
        return;
    platform_.messages.show(
        QStringLiteral(
            "Unable to remove icon from the task tray, possibly caused by no icon there in the first place."),
        QStringLiteral("Error"), MessageStyle::Critical);
}

void Shell::showBalloon(const QString& text, const QString& title, int iconStyle, int timeout)
{
    if (!tray_.showBalloon(text, title, iconStyle, timeout))
        return;
    balloonShown_ = true;
    platform_.events.balloon(ShellEvents::Balloon::Show);
}

void Shell::removeBalloon()
{
    tray_.removeBalloon();
    if (!balloonShown_)
        return;
    balloonShown_ = false;
    platform_.events.balloon(ShellEvents::Balloon::Remove);
}
