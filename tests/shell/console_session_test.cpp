#include "directory/configuration_records.h"
#include "exchange_messages.h"
#include "fake_clock.h"
#include "fake_config_store.h"
#include "fake_desktop_tray.h"
#include "fake_foreground_window.h"
#include "fake_journal_store.h"
#include "fake_link_outside.h"
#include "fake_messages.h"
#include "fake_operator_view.h"
#include "fake_serial_port.h"
#include "fake_sound_output.h"
#include "fake_window_services.h"
#include "qt_printers.h"
#include "recording_directory_view.h"
#include "recording_panel_view.h"
#include "recording_shell_events.h"
#include "shell/console_session.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

namespace
{

// A whole console on fakes and the virtual clock, started as the program
// starts it; the exchange's side is played by delivering bytes to the port.
struct SessionTest : ::testing::Test {
    SessionTest()
    {
        Configuration stored; // port 1 and nothing else, so a plain run changes nothing
        stored.numeroPuerto = QStringLiteral("1");
        store.file = configuration_records::writeFile(stored);
        sound.playedAt = [this] { tones.push_back(clock.nowUs() / 1000); };
    }

    void connect()
    {
        ASSERT_EQ(session.load(), Shell::Loaded::Starting);
        clock.advanceMs(300);
        port.answerHandshake();
    }

    VirtualClock clock;
    FakeSerialPort port;
    FakeMessages messages;
    FakeConfigStore store;
    FakeJournalStore journalStore;
    FakeClock wallClock;
    FakeDesktopTray desktop;
    FakeSoundOutput sound;
    FakeForegroundWindow foreground;
    FakeWindowServices window;
    RecordingPanelView panelView;
    FakeOperatorView operatorView;
    RecordingDirectoryView directoryView;
    FakePortChoiceView portChoice;
    RecordingShellEvents events;
    ConsoleSession session{SessionPlatform{port, messages, store, journalStore, wallClock, desktop, sound, foreground,
        window, panelView, operatorView, directoryView, portChoice, events, [this] { return clock.createTimer(); }}};
    std::vector<std::int64_t> tones;
};

const QByteArray PendingCall = exchange::frame({{3, 4}}); // slot 4 calls the console

TEST_F(SessionTest, StartsAndProbesTheStoredPortThreeHundredMillisecondsLater)
{
    EXPECT_EQ(session.load(), Shell::Loaded::Starting);
    clock.advanceUs(300'000 - 1);
    EXPECT_TRUE(port.events.empty());
    clock.advanceUs(1);
    EXPECT_EQ(port.events.front(), "open 1");
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::PideIdentidad)));
    EXPECT_EQ(desktop.requests.first(2), (QStringList{"initialize", "add 0 Quindora R903 / V1.00"}));
    EXPECT_EQ(session.panel().line(0).colour, 0x0080FF80u);
}

TEST_F(SessionTest, APendingCallSoundsFlashesAndShowsTheBalloonUntilItIsTakenButNotWhileTheConsoleIsInFront)
{
    connect();
    foreground.current = QStringLiteral("Editor");
    events.lines.clear();
    port.poll(); // no call: no balloon to remove
    const std::int64_t start = clock.nowUs() / 1000;
    port.poll(PendingCall);
    for (int ms = 0; ms < 5000; ms += 100) {
        clock.advanceMs(100);
        port.poll(PendingCall);
    }
    port.poll();
    port.poll(); // no call: the balloon stays removed
    foreground.current = session.panel().caption();
    port.poll(PendingCall);
    port.poll();
    window.isMinimised = true; // its caption still the active title, but out of sight
    port.poll(PendingCall);
    EXPECT_EQ(tones, (std::vector<std::int64_t>{start + 1800, start + 3800}));
    EXPECT_EQ(events.lines,
        (QStringList{"alert on", "balloon show", "tone", "icon 1", "icon 0", "tone", "icon 1", "icon 0", "alert off",
            "balloon remove", "alert on", "alert off", "alert on", "balloon show"}));
    EXPECT_EQ(desktop.requests.filter("balloon ").size(), 2);
    EXPECT_EQ(desktop.requests.filter("balloon ").first(), "balloon Quindora R903|Llamada pendiente|1|1");
    EXPECT_EQ(desktop.icon, 0);
}

TEST_F(SessionTest, SalirWithThePortPanelShownClosesAtOnceWithoutAsking)
{
    port.failOpenWith = QStringLiteral("No such file or directory");
    session.load();
    clock.advanceMs(300);
    ASSERT_TRUE(portChoice.visible);
    session.nameBoxes().textChanged(0, QStringLiteral("Recepción"));
    messages.log.clear();
    session.shell().salir();
    EXPECT_TRUE(window.closed);
    EXPECT_TRUE(messages.log.isEmpty());
}

TEST_F(SessionTest, TheCloseBoxSavesAChangedConfigurationToTheStore)
{
    connect();
    session.nameBoxes().textChanged(2, QStringLiteral("Ventas"));
    window.closeBox();
    EXPECT_EQ(messages.log.filter("Cambios de configuración").size(), 1);
    EXPECT_EQ(store.writes, 1);
    EXPECT_TRUE(store.file->contains("Ventas"));
}

TEST_F(SessionTest, AfterTheMenuSalirTheLinkIsClosedAndStaysSilentAndTheWaitingCallEndsUnfinished)
{
    connect();
    port.poll(PendingCall);
    window.menuChoices = {WindowServices::MenuChoice::Salir};
    desktop.click(DesktopTray::Activation::Context);
    EXPECT_TRUE(window.closed);
    EXPECT_FALSE(port.opened);
    clock.advanceMs(60000);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(messages.log.isEmpty());
    ASSERT_EQ(journalStore.entries.size(), 1u);
    EXPECT_EQ(journalStore.entries[0].outcome, CallOutcome::SinFinal);
}

} // namespace
