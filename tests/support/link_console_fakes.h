#pragma once

#include "configuration/configuration.h"
#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "link/call_alert.h"
#include "link/command_queue.h"
#include "link/configuration_save.h"
#include "link/exchange_link.h"
#include "link/port_choice_view.h"
#include "link/tray_balloon.h"
#include "link/window_control.h"
#include "wire/speed_dial_block.h"

#include "fake_clock.h"
#include "fake_journal_store.h"
#include "fake_messages.h"
#include "recording_panel_view.h"

#include <QStringList>

// Everything the exchange link works on besides its port and timers: the
// console's real state, panel and queue, fakes for the rest of the console,
// and itself as the rest of the window, in front, which logs what the link
// asks of it ("unload", "save", "focus list"). The alert and its balloon are
// tested end to end.
struct LinkConsoleFakes : CallAlert, TrayBalloon, WindowControl, ConfigurationSave, PortChoiceView {
    ExchangeLink::Parts parts(SerialPort& port, Timer& watchdog, Timer& probeTimer)
    {
        return {port, watchdog, probeTimer, messages, state, journal, panel, queue, configuration, speedDials};
    }
    ExchangeLink::Outside outside() { return {*this, *this, *this, *this, *this}; }

    bool running() const override { return alertOn; }
    void start() override { alertOn = true; }
    void stop() override { alertOn = false; }
    void show(const QString&, const QString&, int, int) override { }
    void remove() override { }
    bool inFront() const override { return true; }
    void unload() override { asked << QStringLiteral("unload"); }
    void save() override { asked << QStringLiteral("save"); }
    void show() override { portListShown = true; }
    void hide() override { portListShown = false; }
    void focusList() override { asked << QStringLiteral("focus list"); }

    FakeMessages messages;
    RecordingPanelView view;
    Panel panel{view};
    ConsoleState state;
    CommandQueue queue;
    Configuration configuration;
    FakeJournalStore journalStore;
    FakeClock journalClock;
    CallJournal journal{{journalStore, journalClock, messages, state, configuration}};
    wire::SpeedDialBlock speedDials{};
    QStringList asked;
    bool alertOn = false;
    bool portListShown = false;
};
