#pragma once

#include "exchange_messages.h"
#include "fake_serial_port.h"
#include "link_console_fakes.h"
#include "qt_printers.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <memory>

// The whole link on fakes and the virtual clock, with the probe timer at 300 ms as
// start-up leaves it.
struct LinkRig : LinkConsoleFakes {
    LinkRig() { probeTimer->setInterval(300); }

    // From start-up to polling.
    void connect()
    {
        clock.advanceMs(300);
        for (const QByteArray& reply : {exchange::Identity, exchange::NumberingTable, exchange::DirectoryBlock})
            port.deliver(reply);
        port.takeWritten();
    }

    VirtualClock clock;
    std::unique_ptr<VirtualTimer> watchdog = clock.createTimer();
    std::unique_ptr<VirtualTimer> probeTimer = clock.createTimer();
    FakeSerialPort port;
    ExchangeLink link{parts(port, *watchdog, *probeTimer), outside()};
};

struct LinkTest : ::testing::Test, LinkRig {
};

// One byte as the port carries it.
inline QByteArray oneByte(unsigned char b)
{
    return QByteArray(1, char(b));
}

// The link's message boxes as FakeMessages logs them.
inline const QString NoConnection
    = QStringLiteral("16 Error de comunicación | No es posible establecer conexión con R903");
inline const QString LostLink
    = QStringLiteral("16 Error de comunicación | Se ha perdido conexión con R903.\r\n"
                     "Puede estar en modo programación\r\nEspere algunos minutos y reintente");
inline const QString SaveQuestion
    = QStringLiteral("36 Cambios de configuración | Ha hecho cambios en la configuración\r\n¿Desea salvarlos?");
