#pragma once

#include "app/call_list_window.h"
#include "app/console_screen.h"
#include "app/console_window.h"
#include "app/speed_dial_page.h"
#include "configuration/configuration_records.h"
#include "fake_services.h"
#include "wire/digit_codes.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <vector>

// The console window put together as a run puts it, on fakes and the virtual
// clock, connected to an exchange whose slots 1, 4, 12 and 13 are extensions
// 201, 14, 23 and 24 and whose speed-dial memory e holds the digits "5"
// followed by e + 1 in two digits. Frames come after a poll, as the exchange
// sends them, and time passes with the exchange polling.
struct WiredWindow : FakeServices {
    WiredWindow()
    {
        Configuration stored; // port 1, no names or notes
        stored.portNumber = 1;
        store.file = configuration_records::writeFile(stored);
        session.load();
        connect(numberingTable(), speedDialBlock());
    }

    // A status frame with the given (frame position, code) pairs, all else 0.
    void frame(const std::vector<std::pair<int, int>>& codes)
    {
        last = QByteArray(wire::StatusFrameLength, '\0');
        for (auto [index, code] : codes)
            last[index] = char(code);
        poll();
    }

    // Time passes; the exchange polls every second and repeats the last frame.
    void pass(int ms)
    {
        for (; ms >= 1000; ms -= 1000) {
            clock.advanceMs(1000);
            poll();
        }
        clock.advanceMs(ms);
    }

    // The commands the console has sent and still holds, in order.
    std::vector<int> queued()
    {
        keepSent();
        std::vector<int> out = sent;
        for (int i = 0; i < CommandQueue::Places && session.queue().at(i); ++i)
            out.push_back(session.queue().at(i));
        return out;
    }
    void forgetCommands()
    {
        keepSent();
        sent.clear();
        session.queue() = CommandQueue{};
    }

    ConsoleWindow form;
    ConsoleScreen screen{form, services(), QIcon()};
    ConsoleSession& session = screen.session();
    Configuration& configuration = session.configuration();
    SpeedDialDirectory& directory = session.directory();
    SpeedDialPage* directoryFrame = &screen.directoryFrame();

private:
    static QByteArray numberingTable()
    {
        QByteArray table = exchange::NumberingTable;
        for (auto [slot, digits] : {std::pair{1, "201"}, {4, "14"}, {12, "23"}, {13, "24"}}) {
            const auto bytes = wire::extensionBytes(QString::fromLatin1(digits));
            const int at = (slot - 1) * wire::NumberingRecordLength;
            table[at] = char(bytes->at(0));
            table[at + 1] = char(bytes->at(1));
            table[at + 2] = char(slot);
        }
        return table;
    }
    static QByteArray speedDialBlock()
    {
        QByteArray block = exchange::DirectoryBlock;
        for (int e = 0; e < wire::MemoryCount; ++e) {
            const auto bytes = wire::memoryBytes(QStringLiteral("5%1").arg(e + 1, 2, 10, QLatin1Char('0')));
            std::copy(bytes->begin(), bytes->end(),
                block.begin() + wire::DirectoryDiscardLength + e * wire::MemoryRecordLength + 1);
        }
        return block;
    }
    void poll()
    {
        port.deliver(exchange::Poll);
        keepSent();
        port.deliver(last);
    }
    void keepSent()
    {
        // The answer to a poll with nothing to send is no command.
        for (char byte : port.takeWritten()) {
            if (static_cast<unsigned char>(byte) != wire::NoCommand)
                sent.push_back(static_cast<unsigned char>(byte));
        }
    }

    QByteArray last{wire::StatusFrameLength, '\0'};
    std::vector<int> sent;
};

// The window shown and active, so that focus and keys move as for the operator.
struct ShownWindowTest : testing::Test {
    WiredWindow w;

    void SetUp() override
    {
        w.form.show();
        w.form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
};
