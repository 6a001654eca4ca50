#pragma once

#include "exchange_messages.h"
#include "fake_clock.h"
#include "fake_config_store.h"
#include "fake_desktop.h"
#include "fake_journal_store.h"
#include "fake_messages.h"
#include "fake_serial_port.h"
#include "shell/console_session.h"
#include "virtual_clock.h"

// The services a console run stands on, as fakes on one virtual clock: the
// port, the message boxes, the two files, the wall clock, the desktop and the
// timers.
struct FakeServices {
    FakeServices() { wall.follows = &clock; }

    SessionServices services()
    {
        return {port, messages, store, journalStore, wall, desktop, desktop, desktop, desktop, desktop,
            [this] { return std::unique_ptr<Timer>(clock.createTimer()); }};
    }

    // From the window's load to polling: the probe 300 ms later, then the
    // exchange's identity, numbering table and speed-dial block.
    void connect(const QByteArray& numberingTable = exchange::NumberingTable,
        const QByteArray& speedDialBlock = exchange::DirectoryBlock)
    {
        clock.advanceMs(300);
        for (const QByteArray& reply : {exchange::Identity, numberingTable, speedDialBlock})
            port.deliver(reply);
        port.takeWritten();
    }

    // The console window went away (as the shell closes it at the end).
    int closes() const { return int(desktop.log.count(QStringLiteral("close"))); }

    VirtualClock clock;
    FakeSerialPort port;
    FakeMessages messages;
    FakeConfigStore store;
    FakeJournalStore journalStore;
    FakeClock wall;
    FakeDesktop desktop;
};
