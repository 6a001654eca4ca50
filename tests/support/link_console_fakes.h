#pragma once

#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "directory/configuration.h"
#include "link/bloque_memorias.h"
#include "link/cola_salida.h"
#include "link/exchange_link.h"

#include "fake_clock.h"
#include "fake_journal_store.h"
#include "fake_link_outside.h"
#include "fake_messages.h"
#include "recording_panel_view.h"

// Everything the exchange link works on besides its port and timers: the
// console's real state, panel and queue, and fakes for the rest of the console.
struct LinkConsoleFakes {
    ExchangeLink::Parts parts(SerialPort& port, Timer& timer3, Timer& timer5)
    {
        return {port, timer3, timer5, messages, state, journal, panel, cola, configuration, memorias};
    }
    ExchangeLink::Outside outside() { return {alert, balloon, window, save, portChoice}; }

    FakeMessages messages;
    RecordingPanelView view;
    Panel panel{view};
    ConsoleState state;
    ColaSalida cola;
    Configuration configuration;
    FakeJournalStore journalStore;
    FakeClock journalClock;
    CallJournal journal{{journalStore, journalClock, messages, state, configuration}};
    BloqueMemorias memorias{};
    FakeCallAlert alert;
    FakeTrayBalloon balloon;
    FakeConsoleWindow window;
    FakeConfigurationSave save;
    FakePortChoiceView portChoice;
};
