#pragma once

#include "link/protocol.h"

#include "fake_serial_port.h"
#include "link_console_fakes.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <memory>

// The whole link on fakes and the virtual clock, with Timer5 at 300 ms as
// start-up leaves it.
struct LinkRig : LinkConsoleFakes {
    LinkRig() { timer5->setInterval(300); }

    static QByteArray identity(const char* modelAndSerial, const char* lead = "xx")
    {
        return QByteArray(lead) + QByteArray(modelAndSerial);
    }

    // A numbering table that numbers slot s as 10 + s (Alto 0, two codes in Bajo).
    static QByteArray plainNumberingTable()
    {
        QByteArray table(protocol::NumberingTableLength, '\0');
        for (int slot = 1; slot <= protocol::ExtensionSlots; ++slot) {
            const int r = slot - 1;
            const int number = 10 + slot;
            const int units = number % 10 == 0 ? 0xA : number % 10;
            table[4 * r + 1] = char((number / 10) * 16 + units);
            table[4 * r + 2] = char(slot);
        }
        return table;
    }

    // 1456 bytes of 0xEE, then the 592 bytes 0, 1, 2, ... (mod 256).
    static QByteArray directoryBlock()
    {
        QByteArray block(protocol::DirectoryDiscardLength, char(0xEE));
        for (int i = 0; i < protocol::DirectoryDataLength; ++i)
            block.append(char(i & 0xFF));
        return block;
    }

    static QByteArray frame(std::initializer_list<std::pair<int, int>> indexAndCode)
    {
        QByteArray f(protocol::StatusFrameLength, '\0');
        for (const auto& [index, code] : indexAndCode)
            f[index] = char(code);
        return f;
    }

    // From start-up to polling; what the console wrote is taken.
    void connect()
    {
        clock.advanceMs(300);
        port.deliver(identity("R9031234"));
        port.deliver(plainNumberingTable());
        port.deliver(directoryBlock());
        port.takeWritten();
    }

    // One poll and its status frame; returns the poll's answer.
    QByteArray pollWithFrame(const QByteArray& status)
    {
        port.takeWritten();
        port.deliver(QByteArray(1, char(protocol::Sondeo)));
        const QByteArray answer = port.takeWritten();
        port.deliver(status);
        return answer;
    }

    VirtualClock clock;
    std::unique_ptr<VirtualTimer> timer3 = clock.createTimer();
    std::unique_ptr<VirtualTimer> timer5 = clock.createTimer();
    FakeSerialPort port;
    ExchangeLink link{parts(port, *timer3, *timer5), outside()};
};

class LinkTest : public ::testing::Test, public LinkRig
{
};
