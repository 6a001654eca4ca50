#include "fake_desktop.h"
#include "fake_messages.h"
#include "shell/shell.h"
#include "virtual_clock.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

// The rest of the console as start-up and the ways out see it: each call is logged in order.
struct RecordingParts final : ConsoleParts {
    void setPalette(const Palette& p) override { log << QStringLiteral("palette %1").arg(p.freeColour, 0, 16); }
    void layOutPanel() override { log << "panel"; }
    void loadConfiguration() override { log << "configuration"; }
    bool portChoiceVisible() const override { return portChoice; }
    void endConnection() override { log << "endConnection"; }
    void askToSaveChanges() override { log << "askToSave"; }
    void closeLink() override { log << "closeLink"; }

    QStringList log;
    bool portChoice = false;
};

// One console shell on fakes and a virtual clock; the ticks of the blink and probe timers are recorded.
struct ShellRig {
    ShellRig()
    {
        for (VirtualTimer* t : {t1.get(), t2.get(), t5.get()})
            t->onTick([this, t] { ticks.push_back({t, clock.nowUs() / 1000}); });
    }

    VirtualClock clock;
    std::unique_ptr<VirtualTimer> t1 = clock.createTimer(), t2 = clock.createTimer(), t4 = clock.createTimer(),
                                  t5 = clock.createTimer();
    FakeMessages messages;
    FakeDesktop desktop;
    RecordingParts parts;
    Shell shell{ShellPlatform{messages, desktop, desktop, desktop, desktop, desktop}, ShellTimers{*t1, *t2, *t4, *t5},
        parts, [] { return QStringLiteral("Quindora R903"); }};
    std::vector<std::pair<VirtualTimer*, std::int64_t>> ticks;
};

struct ShellTest : ShellRig, ::testing::Test {
};

TEST_F(ShellTest, LoadRunsItsStepsInOrderAndStartsTheTimers)
{
    EXPECT_EQ(shell.load(), Shell::Loaded::Starting);
    EXPECT_EQ(parts.log, (QStringList{"palette 80ff80", "panel", "configuration"}));
    EXPECT_EQ(desktop.log, (QStringList{"initialize", "add 0 Quindora R903 / V1.00", "prepare"}));

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
    EXPECT_EQ(parts.log, (QStringList{"palette 80ff80", "panel"}));
    EXPECT_EQ(messages.log, QStringList{"16 Fatal Error | Fatal Error! Cannot initialize the tray class!"});
    EXPECT_EQ(desktop.log, QStringList{"initialize"});
}

TEST_F(ShellTest, AnIconThatCannotBeAddedLeavesAnInertWindowWhoseUnloadReportsTheMissingIcon)
{
    desktop.adds = false;
    EXPECT_EQ(shell.load(), Shell::Loaded::Inert);
    EXPECT_EQ(parts.log, (QStringList{"palette 80ff80", "panel"}));
    clock.advanceMs(60000);
    EXPECT_TRUE(ticks.empty()); // never probes, never blinks

    shell.unload();
    EXPECT_EQ(messages.log,
        (QStringList{"16 Error | Unable to add icon into the task tray!",
            "16 Error | Unable to remove icon from the task tray, possibly caused by no icon there in the first "
            "place."}));
    EXPECT_EQ(desktop.log, (QStringList{"initialize", "add 0 Quindora R903 / V1.00", "close"}));
}

// The ways out the desktop tier cannot take: Salir while the port list is
// shown closes at once, and the program's own unload closes for good.
TEST_F(ShellTest, SalirWithThePortListShownAndTheProgramsOwnUnloadCloseOnceAndStopEveryTimer)
{
    const std::function<void(ShellRig&)> waysOut[] = {
        [](ShellRig& t) {
            t.parts.portChoice = true;
            t.shell.exitClicked();
        },
        [](ShellRig& t) {
            t.shell.unload();
            t.desktop.closeBox();
            t.shell.menuExit();
        },
    };
    for (const auto& wayOut : waysOut) {
        ShellRig t;
        t.shell.load();
        t.shell.alert().start();
        t.parts.log.clear();
        wayOut(t);
        t.ticks.clear();
        t.clock.advanceMs(10000);
        EXPECT_EQ(t.parts.log, QStringList{"closeLink"});
        EXPECT_EQ(t.desktop.log.mid(3), (QStringList{"remove", "close"}));
        EXPECT_EQ(t.desktop.trace, (QStringList{"alert on", "exit"}));
        EXPECT_TRUE(t.ticks.empty());
        EXPECT_TRUE(t.messages.log.isEmpty());
    }
}

} // namespace
