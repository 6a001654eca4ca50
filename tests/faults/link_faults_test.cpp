// A console whose port is wrong, or whose exchange falls silent or goes away
// in any phase of the conversation, says why and closes in order, without
// spinning.
#include "../e2e/traced_console.h"
#include "ser2net_bridge.h"

#include "app/port_choice_panel.h"
#include "wire/commands.h"

#include "qt_printers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// Whether this process still holds the device open (a device that went away
// reads as deleted).
bool heldOpen(const QString& device)
{
    const QFileInfoList descriptors
        = QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::AllEntries | QDir::System);
    return std::any_of(descriptors.begin(), descriptors.end(), [&device](const QFileInfo& fd) {
        return fd.symLinkTarget() == device || fd.symLinkTarget() == device + QStringLiteral(" (deleted)");
    });
}

// The exchange falls silent from `stage`, or its side of the line closes once
// the console has sent `closeAfter` bytes (the console's port then lets the
// line go at once), or ser2net between them is killed then; the console ends
// with `message`, having restarted polling `restarts` times.
struct Fault {
    const char* name;
    Faults::Stage stage;
    int after;
    qsizetype closeAfter;
    const QString* message;
    qsizetype restarts;
    bool throughSer2net = false;
};

using ConsoleUnderFault = TracedConsole;

class ExchangeFault : public TracedConsole, public ::testing::WithParamInterface<Fault>
{
};

TEST_P(ExchangeFault, IsReportedAndTheConsoleClosesWithoutSpinning)
{
    const Fault& fault = GetParam();
    ExchangeOptions options;
    options.paced = false;
    options.traffic = false;
    options.faults.silentFrom = fault.stage;
    options.faults.silentAfter = fault.after;
    if (fault.throughSer2net)
        ASSERT_NO_FATAL_FAILURE(startThrough(
            [](const QString& device) { return Ser2netBridge::start(device, Ser2netBridge::Accepter::Tcp, {}); },
            options));
    else
        ASSERT_NO_FATAL_FAILURE(startOn(options));
    if (fault.closeAfter > 0) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return sent.size() >= fault.closeAfter; }, StartUpWaitMs));
        if (bridge) {
            bridge->kill();
        } else {
            const QString line = exchange->consolePath();
            exchange.reset();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !heldOpen(line); }, 1000)) << "the console still holds the line";
        }
    }
    const bool polling = *fault.message == LinkLost;
    ASSERT_TRUE(endsQuietly(polling ? PollingWaitMs : StartUpWaitMs));
    EXPECT_EQ(answerer.seen().value(0), *fault.message);
    EXPECT_EQ(sent.count(char(wire::StartPolling)), fault.restarts) << sent.toHex().toStdString();
}

// While polling, the console first restarts polling with 0xC0, then gives up.
INSTANTIATE_TEST_SUITE_P(Phases, ExchangeFault,
    ::testing::Values(Fault{"SilentBeforeTheIdentity", Faults::Stage::BeforeIdentity, 0, 0, &NoConnection, 0},
        Fault{"SilentAtTheBlocksLastByte", Faults::Stage::InBlock, 2047, 0, &NoConnection, 0},
        Fault{"SilentWhilePolling", Faults::Stage::InPolling, 5, 0, &LinkLost, 2},
        Fault{"ClosedInTheBlock", Faults::Stage::InBlock, 1000, 3, &NoConnection, 0},
        Fault{"ClosedWhilePolling", Faults::Stage::None, 0, 5, &LinkLost, 1},
        Fault{"Ser2netKilledWhilePolling", Faults::Stage::None, 0, 5, &LinkLost, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The longest the event loop stayed away while `waiting` held: the window's freezes.
qint64 longestStall(const std::function<bool()>& waiting, int timeoutMs)
{
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    ticks.start(10);
    static_cast<void>(QTest::qWaitFor([&] { return !waiting(); }, timeoutMs));
    return longest;
}

// A device that cannot be opened, a device server that cannot be connected
// to, or one that cannot open its own serial port (Debian's ser2net in front
// of a device that is not there), brings the port-failure message in Spanish
// under the device's path or address, then the port list; nothing is sent
// where the line never opened, and the window keeps running meanwhile.
TEST_F(ConsoleUnderFault, UnusablePortsBringThePortList)
{
    QTcpServer silent; // takes connections and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const QString absent = QStringLiteral("/dev/opr903-absent");
    std::unique_ptr<DeviceServer> servers[2];
    for (const auto accepter : {Ser2netBridge::Accepter::Tcp, Ser2netBridge::Accepter::Rfc2217}) {
        auto started = Ser2netBridge::start(absent, accepter, {});
        ASSERT_FALSE(std::holds_alternative<QString>(started)) << std::get<QString>(started).toStdString();
        servers[int(accepter)] = std::move(std::get<std::unique_ptr<DeviceServer>>(started));
    }
    const QString silentAddress = QStringLiteral("127.0.0.1:%1").arg(silent.serverPort());
    const QString serverCannotOpen
        = QStringLiteral("El servidor de puertos no pudo abrir su puerto serie: no existe el dispositivo");
    const std::tuple<QString, QString, QString> cases[] = {
        // device, the title's place, why
        {absent, absent, QStringLiteral("No existe el dispositivo")},
        {QStringLiteral("/dev/null"), QStringLiteral("/dev/null"),
            QStringLiteral("El dispositivo no es un puerto serie")},
        {QStringLiteral("tcp://127.0.0.1:1"), QStringLiteral("127.0.0.1:1"), QStringLiteral("Conexión rechazada")},
        {"rfc2217://" + silentAddress, silentAddress, QStringLiteral("El equipo no responde")},
        {QStringLiteral("rfc2217://opr903-no-such-host.invalid:2217"),
            QStringLiteral("opr903-no-such-host.invalid:2217"), QStringLiteral("No se encuentra el equipo")},
        {QStringLiteral("tcp://127.0.0.1"), QStringLiteral("tcp://127.0.0.1"),
            QStringLiteral(
                "Dirección de red no válida: tcp://127.0.0.1 (tcp://EQUIPO:PUERTO o rfc2217://EQUIPO:PUERTO)")},
        {servers[0]->url(), servers[0]->url().mid(6), serverCannotOpen},
        {servers[1]->url(), servers[1]->url().mid(10), serverCannotOpen},
    };
    for (const auto& [device, place, why] : cases) {
        SCOPED_TRACE(device.toStdString());
        const qsizetype before = answerer.seen().size();
        const qsizetype eventsBefore = events().size();
        start(device);
        const qint64 stall = longestStall([&] { return answerer.seen().size() == before; }, StartUpWaitMs);
        ASSERT_GT(answerer.seen().size(), before);
        EXPECT_EQ(answerer.seen().last(),
            "Selección incorrecta Puerto " + place + " | " + why + QStringLiteral("\r\nSeleccione puerto correcto"));
        EXPECT_LT(stall, 500) << "the window froze while connecting";
        EXPECT_TRUE(QTest::qWaitFor([this] { return console->screen().portPanel().isVisible(); }, 2000));
        // Raw TCP is open once connected: the identity request goes out before the server's refusal comes.
        if (device != servers[0]->url()) {
            EXPECT_FALSE(events().mid(eventsBefore).join(' ').contains(QStringLiteral(" tx ")))
                << "nothing is sent on an unusable line";
        }
        console.reset();
        trace.reset();
    }
}

} // namespace
