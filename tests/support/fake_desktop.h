#pragma once

#include "platform/desktop_tray.h"
#include "platform/foreground_window.h"
#include "platform/sound_output.h"
#include "platform/window_services.h"
#include "shell/shell_events.h"
#include "virtual_clock.h"

#include <QStringList>

// The desktop the shell stands on: notification area, main window, foreground
// window, sound output and trace. Requests to the area, the window and the
// sound that the tests read are logged in order ("add 0 <tooltip>",
// "balloon <title>|<text>|<style>|<timeout>", "minimise", "prepare", ...);
// trace events go to `trace` as the trace file words them, each tone played
// as "play", all of them led by their time in ms once `clock` is set.
// The popup menu is closed without a choice.
class FakeDesktop final : public DesktopTray,
                          public WindowServices,
                          public ForegroundWindow,
                          public SoundOutput,
                          public ShellEvents
{
public:
    bool initialize() override
    {
        log << QStringLiteral("initialize");
        return initializes;
    }
    bool areaAvailable() const override { return true; }
    bool add(int image, const QString& tooltip) override
    {
        log << QStringLiteral("add %1 %2").arg(image).arg(tooltip);
        return adds;
    }
    void modify(int image, const QString& tooltip) override
    {
        log << QStringLiteral("modify %1 %2").arg(image).arg(tooltip);
    }
    void remove() override { log << QStringLiteral("remove"); }
    void showBalloon(const QString& title, const QString& text, int style, int timeout) override
    {
        log << QStringLiteral("balloon %1|%2|%3|%4").arg(title, text).arg(style).arg(timeout);
    }
    void removeBalloon() override { }

    bool minimised() const override { return isMinimised; }
    void showNormal() override
    {
        log << QStringLiteral("showNormal");
        isMinimised = false;
    }
    void hide() override { log << QStringLiteral("hide"); }
    void bringToFront() override { }
    void minimise() override
    {
        log << QStringLiteral("minimise");
        isMinimised = true;
        stateChanged();
    }
    MenuChoice popupMenu(bool) override { return MenuChoice::None; }
    void close() override { log << QStringLiteral("close"); }

    std::optional<QString> title() const override { return foreground; }

    bool prepare(const std::vector<std::int16_t>&) override
    {
        log << QStringLiteral("prepare");
        return true;
    }
    void play() override { traced(QStringLiteral("play")); }

    void alert(bool on) override { traced(on ? QStringLiteral("alert on") : QStringLiteral("alert off")); }
    void icon(int image) override { traced(QStringLiteral("icon %1").arg(image)); }
    void balloon(Balloon) override { }
    void tone() override { traced(QStringLiteral("tone")); }
    void exit() override { traced(QStringLiteral("exit")); }

    // The operator's close box.
    void closeBox() { closeRequested(true); }

    bool initializes = true;
    bool adds = true;
    bool isMinimised = false;
    std::optional<QString> foreground; // the foreground window's title; nothing: no window
    const VirtualClock* clock = nullptr;
    QStringList log;
    QStringList trace;

private:
    void traced(const QString& event)
    {
        trace << (clock ? QString::number(clock->nowUs() / 1000) + u' ' + event : event);
    }
};
