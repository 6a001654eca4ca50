#include "../link/link_fixture.h"
#include "directory/configuration_records.h"
#include "fake_config_store.h"
#include "fake_desktop_tray.h"
#include "fake_foreground_window.h"
#include "fake_operator_view.h"
#include "fake_sound_output.h"
#include "fake_window_services.h"
#include "qt_printers.h"
#include "recording_directory_view.h"
#include "recording_shell_events.h"
#include "shell/console_session.h"

#include <gtest/gtest.h>

namespace
{

// A whole console on fakes and the virtual clock, started as the program
// starts it; the exchange's side is played by delivering bytes to the port.
struct SessionRig {
    SessionRig()
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
        port.deliver(LinkRig::identity("R9031234"));
        port.deliver(LinkRig::plainNumberingTable());
        port.deliver(LinkRig::directoryBlock());
        port.takeWritten();
    }

    // The exchange polls and sends a status frame; returns the console's answer.
    QByteArray poll(const QByteArray& frame = LinkRig::frame({}))
    {
        port.takeWritten();
        port.deliver(QByteArray(1, char(protocol::Sondeo)));
        const QByteArray answer = port.takeWritten();
        port.deliver(frame);
        return answer;
    }

    VirtualClock clock;
    FakeSerialPort port;
    FakeMessages messages;
    FakeConfigStore store;
    FakeDesktopTray desktop;
    FakeSoundOutput sound;
    FakeForegroundWindow foreground;
    FakeWindowServices window;
    RecordingPanelView panelView;
    FakeOperatorView operatorView;
    RecordingDirectoryView directoryView;
    FakePortChoiceView portChoice;
    RecordingShellEvents events;
    ConsoleSession session{SessionPlatform{port, messages, store, desktop, sound, foreground, window, panelView,
        operatorView, directoryView, portChoice, events, [this] { return clock.createTimer(); }}};
    std::vector<std::int64_t> tones;
};

struct SessionTest : SessionRig, ::testing::Test {
};

const QByteArray PendingCall = LinkRig::frame({{3, 4}}); // slot 4 calls the console

TEST_F(SessionTest, StartsAndProbesTheStoredPortThreeHundredMillisecondsLater)
{
    EXPECT_EQ(session.load(), Shell::Loaded::Starting);
    clock.advanceMs(299);
    EXPECT_TRUE(port.events.empty());
    clock.advanceMs(1);
    EXPECT_EQ(port.events.front(), "open 1");
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::PideIdentidad)));
    EXPECT_EQ(desktop.requests.first(2), (QStringList{"initialize", "add 0 Quindora R903 / V1.00"}));
    for (int i = 0; i < protocol::OutsideLines; ++i)
        EXPECT_EQ(session.panel().line(i).colour, 0x0080FF80u);
}

TEST_F(SessionTest, AfterTheIconFailsTheWindowNeverProbesNorBlinks)
{
    desktop.adds = false;
    EXPECT_EQ(session.load(), Shell::Loaded::Inert);
    panelView.clear();
    clock.advanceMs(60000);
    EXPECT_TRUE(port.events.empty());
    EXPECT_TRUE(panelView.extensions.empty());
    EXPECT_TRUE(panelView.lines.empty());
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(sound.prepares, 0);
}

TEST_F(SessionTest, APendingCallSoundsFlashesAndShowsTheBalloonUntilItIsTaken)
{
    connect();
    foreground.current = QStringLiteral("Editor"); // the console is not in front
    events.lines.clear();
    const std::int64_t start = clock.nowUs() / 1000;
    poll(PendingCall);
    for (int ms = 0; ms < 5000; ms += 100) {
        clock.advanceMs(100);
        poll(PendingCall);
    }
    poll();
    EXPECT_EQ(tones, (std::vector<std::int64_t>{start + 1800, start + 3800}));
    EXPECT_EQ(events.lines,
        (QStringList{"alert on", "balloon show", "tone", "icon 1", "icon 0", "tone", "icon 1", "icon 0", "alert off",
            "balloon remove"}));
    EXPECT_EQ(desktop.requests.filter("balloon ").size(), 1);
    EXPECT_EQ(desktop.icon, 0);
    EXPECT_FALSE(desktop.balloon);
}

TEST_F(SessionTest, NoBalloonWhileTheConsoleIsInFront)
{
    connect();
    foreground.current = session.panel().caption();
    poll(PendingCall);
    EXPECT_TRUE(session.shell().alert().running());
    EXPECT_FALSE(events.lines.contains("balloon show"));
}

TEST_F(SessionTest, SalirTwiceSendsOneClosingRequestAndClosesAfterTheSaveQuestion)
{
    struct Case {
        bool changed;
        MessageAnswer answer;
        int writes;
    };
    for (const Case c :
        {Case{false, MessageAnswer::Yes, 0}, Case{true, MessageAnswer::Yes, 1}, Case{true, MessageAnswer::No, 0}}) {
        SessionRig r;
        r.connect();
        if (c.changed)
            r.session.nameBoxes().textChanged(0, QStringLiteral("Recepción"));
        r.messages.answers = {c.answer};
        r.session.shell().salir();
        r.session.shell().salir();
        EXPECT_EQ(r.session.cola().at(0), protocol::FinConexion);
        EXPECT_EQ(r.session.cola().at(1), 0);
        EXPECT_FALSE(r.window.closed);
        EXPECT_EQ(r.poll(), QByteArray(1, char(protocol::FinConexion)));
        r.clock.advanceMs(499);
        EXPECT_FALSE(r.window.closed);
        r.clock.advanceMs(1);
        EXPECT_TRUE(r.window.closed);
        EXPECT_EQ(r.messages.shown.size(), c.changed ? 1u : 0u);
        EXPECT_EQ(r.store.writes, c.writes);
        EXPECT_FALSE(r.desktop.shown);
        EXPECT_FALSE(r.port.opened);
        EXPECT_TRUE(r.events.lines.endsWith("exit"));
    }
}

TEST_F(SessionTest, SalirWithThePortPanelShownClosesAtOnceWithoutAsking)
{
    port.failOpenWith = QStringLiteral("No such file or directory");
    session.load();
    clock.advanceMs(300);
    ASSERT_TRUE(portChoice.visible);
    messages.shown.clear();
    session.shell().salir();
    EXPECT_TRUE(window.closed);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.writes, 0);
}

TEST_F(SessionTest, MenuSalirClosesAtOnceSendingNothing)
{
    connect();
    session.nameBoxes().textChanged(0, QStringLiteral("Recepción"));
    window.menuChoices = {WindowServices::MenuChoice::Salir};
    desktop.click(DesktopTray::Activation::Context);
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(poll(), QByteArray());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.writes, 0);
}

TEST_F(SessionTest, TheCloseBoxAsksOnlyWhenSomethingChanged)
{
    connect();
    window.closeBox();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(window.closed);

    SessionRig changed;
    changed.connect();
    changed.session.nameBoxes().textChanged(2, QStringLiteral("Ventas"));
    changed.window.closeBox();
    ASSERT_EQ(changed.messages.shown.size(), 1u);
    EXPECT_EQ(changed.messages.shown[0].title, QStringLiteral("Cambios de configuración"));
    EXPECT_EQ(changed.store.writes, 1);
    EXPECT_TRUE(changed.store.file->contains("Ventas"));

    SessionRig sessionEnd;
    sessionEnd.connect();
    sessionEnd.session.nameBoxes().textChanged(2, QStringLiteral("Ventas"));
    sessionEnd.window.sessionEnds();
    EXPECT_TRUE(sessionEnd.messages.shown.empty());
    EXPECT_EQ(sessionEnd.store.writes, 0);
}

} // namespace
