#include "shell/shell.h"

namespace
{

const QString Version = QStringLiteral("V1.00");

} // namespace

Shell::Shell(ShellPlatform platform, ShellTimers timers, ConsoleParts& parts, std::function<QString()> caption)
    : platform_(platform)
    , timers_(timers)
    , parts_(parts)
    , tray_(platform.desktop)
    , alert_(timers.timer4, platform.sound, tray_, platform.events)
    , window_(platform.window, platform.foreground, platform.desktop, std::move(caption))
{
    tray_.MouseDown = [this](int button) { window_.Tray_Mousedown(button); };
    window_.onMenuSalir = [this] { menuSalir(); };
    platform.window.onStateChanged([this] { window_.stateChanged(); });
    platform.window.onCloseRequested([this](bool byOperator) { closeRequested(byOperator); });
}

Shell::Loaded Shell::load()
{
    parts_.setPalette(paletteFromLineColours(design::LineColours));
    parts_.layOutPanel();
    if (!tray_.Initialize()) {
        platform_.messages.show(QStringLiteral("Fatal Error! Cannot initialize the tray class!"),
            QStringLiteral("Fatal Error"), MessageStyle::Critical);
        return Loaded::Ended;
    }
    if (!installTray())
        return Loaded::Inert;
    alert_.prepare();
    timers_.timer1.setInterval(BlinkTimers::SlowMs);
    timers_.timer2.setInterval(BlinkTimers::FastMs);
    timers_.timer5.setInterval(ProbeDelayMs);
    parts_.loadConfiguration();
    return Loaded::Starting;
}

bool Shell::installTray()
{
    tray_.setTooltip(QStringLiteral("Quindora R903 / ") + Version);
    tray_.setIcon(PendingCallAlert::NormalIcon);
    tray_.setAutoRefresh(true);
    if (tray_.AddIcon())
        return true;
    platform_.messages.show(
        QStringLiteral("Unable to add icon into the task tray!"), QStringLiteral("Error"), MessageStyle::Critical);
    return false;
}

void Shell::salir()
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
    Quitar_Systray();
    for (Timer* t : {&timers_.timer1, &timers_.timer2, &timers_.timer4, &timers_.timer5})
        t->setEnabled(false);
    parts_.closeLink();
    platform_.events.exit();
    platform_.window.close();
}

void Shell::Quitar_Systray()
{
    if (tray_.RemoveIcon())
        return;
    platform_.messages.show(
        QStringLiteral(
            "Unable to remove icon from the task tray, possibly caused by no icon there in the first place."),
        QStringLiteral("Error"), MessageStyle::Critical);
}

void Shell::showBalloon(const QString& text, const QString& title, int iconStyle, int timeout)
{
    if (!tray_.ShowBalloonTip(text, title, iconStyle, timeout))
        return;
    balloonShown_ = true;
    platform_.events.balloon(ShellEvents::Balloon::Show);
}

void Shell::removeBalloon()
{
    tray_.RemoverBalloon();
    if (!balloonShown_)
        return;
    balloonShown_ = false;
    platform_.events.balloon(ShellEvents::Balloon::Remove);
}
