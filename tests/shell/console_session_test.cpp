#include "fake_clock.h"
#include "fake_config_store.h"
#include "fake_desktop.h"
#include "fake_journal_store.h"
#include "fake_messages.h"
#include "fake_serial_port.h"
#include "operator/operator_view.h"
#include "qt_printers.h"
#include "recording_directory_view.h"
#include "recording_panel_view.h"
#include "shell/console_session.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

namespace
{

// The window's name boxes and port list, which these tests do not look at.
struct QuietViews final : OperatorView, PortChoiceView {
    void focusSalir() override { }
    void setNameBoxVisible(int, bool) override { }
    void setNameBoxReadOnly(int, bool) override { }
    bool nameBoxReadOnly(int) const override { return true; }
    QString nameBoxText(int) const override { return {}; }
    void setNameBoxText(int, const QString&) override { }
    void selectAllNameBoxText(int) override { }
    void setNameBoxFontSize(int, int) override { }
    void focusNameBox(int) override { }
    void showTypedDigits(const QString&) override { }
    void show() override { }
    void hide() override { }
    void focusList() override { }
};

// A whole console on fakes and the virtual clock, started as the program starts it.
struct SessionTest : ::testing::Test {
    VirtualClock clock;
    FakeSerialPort port;
    FakeMessages messages;
    FakeConfigStore store;
    FakeJournalStore journalStore;
    FakeClock wallClock;
    FakeDesktop desktop;
    RecordingPanelView panelView;
    RecordingDirectoryView directoryView;
    QuietViews views;
    ConsoleSession session{SessionPlatform{port, messages, store, journalStore, wallClock, desktop, desktop, desktop,
        desktop, panelView, views, directoryView, views, desktop, [this] { return clock.createTimer(); }}};
};

// Everything else the whole console does is tested end to end and on the desktop;
// this way out starts from a port that cannot be opened, which those runs do not press.
TEST_F(SessionTest, SalirWithThePortPanelShownClosesAtOnceWithoutAsking)
{
    port.failOpenWith = QStringLiteral("No such file or directory");
    session.load();
    clock.advanceMs(300);
    ASSERT_EQ(messages.log.size(), 2); // the port's failure: the panel is shown
    session.nameBoxes().textChanged(0, QStringLiteral("Recepción"));
    messages.log.clear();
    session.shell().salir();
    EXPECT_TRUE(desktop.log.contains("close"));
    EXPECT_TRUE(messages.log.isEmpty());
}

} // namespace
