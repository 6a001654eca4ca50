#include "fake_desktop_tray.h"
#include "fake_foreground_window.h"
#include "fake_messages.h"
#include "fake_sound_output.h"
#include "fake_window_services.h"
#include "recording_shell_events.h"
#include "shell/shell.h"
#include "virtual_clock.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

// The rest of the console as start-up and the ways out see it: each call
// is recorded, in order, next to the tray's requests.
class RecordingParts final : public ConsoleParts
{
public:
    explicit RecordingParts(QStringList& log)
        : log_(log)
    {
    }
    void setPalette(const Palette& p) override
    {
        palette = p;
        log_ << "palette";
    }
    void layOutPanel() override { log_ << "panel"; }
    void loadConfiguration() override { log_ << "configuration"; }
    bool portChoiceVisible() const override { return portChoice; }
    void endConnection() override { log_ << "endConnection"; }
    void askToSaveChanges() override { log_ << "askToSave"; }
    void closeLink() override { log_ << "closeLink"; }

    Palette palette;
    bool portChoice = false;

private:
    QStringList& log_;
};

// One console shell on fakes and a virtual clock.
struct ShellRig {
    ShellRig()
    {
        messages.whileShown = [this] { log << "message " + messages.shown.back().text; };
        for (VirtualTimer* t : {t1.get(), t2.get(), t5.get()})
            t->onTick([this, t] { ticks.push_back({t, clock.nowUs() / 1000}); });
    }

    QStringList log;
    VirtualClock clock;
    std::unique_ptr<VirtualTimer> t1 = clock.createTimer(), t2 = clock.createTimer(), t4 = clock.createTimer(),
                                  t5 = clock.createTimer();
    FakeMessages messages;
    FakeDesktopTray desktop;
    FakeSoundOutput sound;
    FakeForegroundWindow foreground;
    FakeWindowServices window;
    RecordingShellEvents events;
    RecordingParts parts{log};
    Shell shell{ShellPlatform{messages, desktop, sound, foreground, window, events}, ShellTimers{*t1, *t2, *t4, *t5},
        parts, [] { return QStringLiteral("Quindora R903"); }};
    std::vector<std::pair<VirtualTimer*, std::int64_t>> ticks;
};

struct ShellTest : ShellRig, ::testing::Test {
};

TEST_F(ShellTest, LoadRunsItsStepsInOrder)
{
    EXPECT_EQ(shell.load(), Shell::Loaded::Starting);
    EXPECT_EQ(log, (QStringList{"palette", "panel", "configuration"}));
    EXPECT_EQ(desktop.requests, (QStringList{"initialize", "add 0 Quindora R903 / V1.00"}));
    EXPECT_EQ(parts.palette.libre, 0x0080FF80u);
    EXPECT_EQ(parts.palette.ocupado, 0x000000FFu);
    EXPECT_EQ(parts.palette.consola, 0x00FF8080u);
    EXPECT_EQ(parts.palette.resaltado, 0x00FF80FFu);
    EXPECT_EQ(parts.palette.deshabilitado, 0x00C0C0C0u);
    EXPECT_EQ(sound.prepares, 1);
    EXPECT_TRUE(shell.tray().AutoRefresh());
    EXPECT_TRUE(messages.shown.empty());

    clock.advanceMs(500);
    // Probe once at 300 ms; blinking at 250 and 500 ms.
    std::vector<std::pair<VirtualTimer*, std::int64_t>> expected{
        {t2.get(), 250}, {t5.get(), 300}, {t1.get(), 500}, {t2.get(), 500}};
    EXPECT_EQ(ticks, expected);
}

TEST_F(ShellTest, ATrayThatCannotInitialiseEndsTheProgramWithoutUnloading)
{
    desktop.initializes = false;
    EXPECT_EQ(shell.load(), Shell::Loaded::Ended);
    EXPECT_EQ(log, (QStringList{"palette", "panel", "message Fatal Error! Cannot initialize the tray class!"}));
    EXPECT_EQ(messages.shown[0].title, "Fatal Error");
    EXPECT_EQ(messages.shown[0].style, MessageStyle::Critical);
    EXPECT_EQ(sound.prepares, 0);
    EXPECT_FALSE(window.closed);
}

TEST_F(ShellTest, AnIconThatCannotBeAddedLeavesAnInertWindow)
{
    desktop.adds = false;
    EXPECT_EQ(shell.load(), Shell::Loaded::Inert);
    EXPECT_EQ(log, (QStringList{"palette", "panel", "message Unable to add icon into the task tray!"}));
    EXPECT_EQ(messages.shown[0].title, "Error");
    EXPECT_EQ(sound.prepares, 0);
    clock.advanceMs(60000);
    EXPECT_TRUE(ticks.empty()); // never probes, never blinks

    // Its unload then reports the missing icon as well.
    shell.unload();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
        "Unable to remove icon from the task tray, possibly caused by no icon there in "
        "the first place.");
    EXPECT_EQ(messages.shown[1].title, "Error");
    EXPECT_TRUE(window.closed);
}

TEST_F(ShellTest, EveryWayOutAndWhetherItAsksToSave)
{
    struct Case {
        const char* name;
        bool portChoice;
        std::function<void(ShellRig&)> act;
        QStringList after; // what the parts saw after loading
        bool closed;
    };
    const Case cases[] = {
        {"Salir with the port panel shown", true, [](ShellRig& t) { t.shell.salir(); }, {"closeLink"}, true},
        {"Salir while linked", false, [](ShellRig& t) { t.shell.salir(); }, {"endConnection"}, false},
        {"Salir pressed twice", false, [](ShellRig& t) { t.shell.salir(), t.shell.salir(); },
            {"endConnection", "endConnection"}, false},
        {"menu Salir", false, [](ShellRig& t) { t.shell.menuSalir(); }, {"closeLink"}, true},
        {"close box", false, [](ShellRig& t) { t.window.closeBox(); }, {"askToSave", "closeLink"}, true},
        {"end of session", false, [](ShellRig& t) { t.window.sessionEnds(); }, {"closeLink"}, true},
        {"the program's own unload", false, [](ShellRig& t) { t.shell.unload(); }, {"closeLink"}, true},
    };
    for (const Case& c : cases) {
        ShellRig t;
        t.shell.load();
        t.log.clear();
        t.parts.portChoice = c.portChoice;
        c.act(t);
        EXPECT_EQ(t.log, c.after) << c.name;
        EXPECT_EQ(t.window.closed, c.closed) << c.name;
        EXPECT_EQ(t.desktop.shown, !c.closed) << c.name;
        EXPECT_EQ(t.events.lines.contains("exit"), c.closed) << c.name;
        EXPECT_TRUE(t.messages.shown.empty()) << c.name;
    }
}

TEST_F(ShellTest, UnloadHappensOnceAndStopsEveryTimer)
{
    shell.load();
    shell.alert().start();
    shell.unload();
    window.closeBox(); // the window's own close after the unload
    shell.menuSalir();
    EXPECT_EQ(log.count("closeLink"), 1);
    EXPECT_EQ(log.count("askToSave"), 0);
    EXPECT_EQ(window.calls.count("close"), 1);
    clock.advanceMs(10000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_EQ(sound.plays, 0);
}

TEST_F(ShellTest, TheIconsClicksReachTheWindowAndItsMenu)
{
    shell.load();
    window.menuChoices = {WindowServices::MenuChoice::Salir};
    desktop.click(DesktopTray::Activation::Context);
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(window.calls.first(), "menu Mostrar Salir");
}

TEST_F(ShellTest, MinimisedByTheIconAndBroughtBack)
{
    shell.load();
    foreground.current = QStringLiteral("Quindora R903");
    desktop.click(DesktopTray::Activation::Trigger);
    EXPECT_TRUE(window.hidden);
    desktop.click(DesktopTray::Activation::Trigger);
    EXPECT_FALSE(window.hidden);
    EXPECT_FALSE(window.isMinimised);
}

TEST_F(ShellTest, TheBalloonIsTracedWhenItComesAndGoes)
{
    shell.removeBalloon();
    shell.showBalloon("Llamada pendiente", "Quindora R903", 1, 1); // no icon yet: nothing
    shell.load();
    shell.showBalloon("Llamada pendiente", "Quindora R903", 1, 1);
    shell.removeBalloon();
    shell.removeBalloon();
    EXPECT_EQ(events.lines, (QStringList{"balloon show", "balloon remove"}));
    EXPECT_EQ(desktop.requests.mid(2),
        (QStringList{"balloon Quindora R903|Llamada pendiente|1|1", "unballoon", "unballoon"}));
}

} // namespace
