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
// sound are logged in order ("add 0 <tooltip>", "balloon <title>|<text>|<style>|<timeout>",
// "minimise", "menu Mostrar Salir", "prepare", ...); trace events go to
// `trace` as the trace file words them, and each tone's time on `clock` to `tonesMs`.
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
    bool areaAvailable() const override { return area; }
    bool add(int image, const QString& tooltip) override
    {
        log << QStringLiteral("add %1 %2").arg(image).arg(tooltip);
        iconImage = image;
        return adds;
    }
    void modify(int image, const QString& tooltip) override
    {
        log << QStringLiteral("modify %1 %2").arg(image).arg(tooltip);
        iconImage = image;
    }
    void remove() override { log << QStringLiteral("remove"); }
    void showBalloon(const QString& title, const QString& text, int style, int timeout) override
    {
        log << QStringLiteral("balloon %1|%2|%3|%4").arg(title, text).arg(style).arg(timeout);
    }
    void removeBalloon() override { log << QStringLiteral("unballoon"); }

    bool minimised() const override { return isMinimised; }
    void showNormal() override
    {
        log << QStringLiteral("showNormal");
        isMinimised = false;
    }
    void hide() override { log << QStringLiteral("hide"); }
    void bringToFront() override { log << QStringLiteral("bringToFront"); }
    void minimise() override
    {
        log << QStringLiteral("minimise");
        isMinimised = true;
        stateChanged();
    }
    MenuChoice popupMenu(bool mostrarVisible) override
    {
        log << (mostrarVisible ? QStringLiteral("menu Mostrar Salir") : QStringLiteral("menu Salir"));
        return MenuChoice::None;
    }
    void close() override { log << QStringLiteral("close"); }

    std::optional<QString> title() const override { return foreground; }

    bool prepare(const std::vector<std::int16_t>& s) override
    {
        log << QStringLiteral("prepare");
        samples = s;
        return device;
    }
    void play() override { tonesMs.push_back(clock ? clock->nowUs() / 1000 : 0); }

    void alert(bool on) override { trace << (on ? QStringLiteral("alert on") : QStringLiteral("alert off")); }
    void icon(int image) override { trace << QStringLiteral("icon %1").arg(image); }
    void balloon(Balloon b) override
    {
        trace << (b == Balloon::Show ? QStringLiteral("balloon show") : QStringLiteral("balloon remove"));
    }
    void tone() override { trace << QStringLiteral("tone"); }
    void exit() override { trace << QStringLiteral("exit"); }

    // What the operator or the system does from outside.
    void click(Activation a) { activated(a); }
    void closeBox() { closeRequested(true); }
    void sessionEnds() { closeRequested(false); }

    bool initializes = true;
    bool adds = true;
    bool area = true;
    int iconImage = -1;
    bool isMinimised = false;
    std::optional<QString> foreground; // the foreground window's title; nothing: no window
    bool device = true;
    std::vector<std::int16_t> samples;
    const VirtualClock* clock = nullptr;
    std::vector<std::int64_t> tonesMs;
    QStringList log;
    QStringList trace;
};
