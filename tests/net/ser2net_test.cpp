// The console reaches the simulated exchange through ser2net, as it would a
// real one behind a device server: the whole conversation through each kind
// of accepter, and connections that go away.
#include "../faults/console_under_fault.h"

#include "link/protocol.h"
#include "ser2net_bridge.h"
#include "sim/exchange_plan.h"

#include <QSignalSpy>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace
{

using Accepter = Ser2netBridge::Accepter;

// The console with the simulated exchange behind ser2net.
struct ConsoleBehindSer2net : ConsoleUnderFault {
    void serve(Accepter accepter, const QString& lineSettings = QStringLiteral("9600n81"))
    {
        ExchangeOptions options;
        options.pollPeriodMs = 20;
        options.traffic = false;
        QString error;
        exchange = ExchangeServer::onPseudoTerminal(options, &error);
        ASSERT_TRUE(exchange) << error.toStdString();
        QObject::connect(exchange.get(), &ExchangeServer::consoleByte, [this](quint8 byte) { sent += char(byte); });
        auto started = Ser2netBridge::start(exchange->consolePath(), accepter, {lineSettings});
        auto* failure = std::get_if<QString>(&started);
        ASSERT_FALSE(failure) << failure->toStdString();
        bridge = std::move(std::get<std::unique_ptr<Ser2netBridge>>(started));
        start(bridge->url());
    }
    bool polling()
    {
        QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
        return handshake.wait(StartUpWaitMs);
    }

    std::unique_ptr<Ser2netBridge> bridge;
};

class WholeConversation : public ConsoleBehindSer2net, public ::testing::WithParamInterface<Accepter>
{
};

// ser2net first sets the line to 115200 7E1: only the RFC 2217 client's
// settings bring it to what the exchange speaks.
TEST_P(WholeConversation, RunsThroughSer2netAsOnALocalPort)
{
    const bool rfc2217 = GetParam() == Accepter::Rfc2217;
    serve(GetParam(), rfc2217 ? QStringLiteral("115200e71") : QStringLiteral("9600n81"));
    ASSERT_TRUE(polling()) << sent.toHex().toStdString();
    EXPECT_TRUE(sent.startsWith("DBC\xC0")) << sent.toHex().toStdString();

    // The tables arrive byte for byte, 0x00 and 0xFF (the Telnet escape) among them.
    const ExchangePlan plan = ExchangePlan::builtIn();
    for (const QByteArray& block : {plan.numberingTable(), plan.directoryBlock()}) {
        ASSERT_TRUE(block.contains('\x00') && block.contains('\xFF'));
        EXPECT_TRUE(traced(QStringLiteral("rx ") + QString::fromLatin1(block.toHex(' '))));
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return console->window().windowTitle() == QStringLiteral("QUINDORA R903 - Serie 0412 - V1.00"); }, 5000));

    if (rfc2217) {
        const int fd = ::open(exchange->consolePath().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios line{};
        ASSERT_EQ(::tcgetattr(fd, &line), 0);
        ::close(fd);
        EXPECT_EQ(::cfgetispeed(&line), B9600);
        EXPECT_EQ(::cfgetospeed(&line), B9600);
        EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ISTRIP | ICRNL), 0u);
        EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(line.c_oflag & OPOST, 0u);
    }

    // The operator takes a ringing line and leaves.
    ASSERT_TRUE(exchange->ringLine(2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return console->session().shell().alert().running(); }, 5000));
    console->session().commands().press(MouseButton::Left);
    console->session().commands().lineClick(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.contains(char(0x22)); }, 5000));
    console->session().shell().salir();
    ASSERT_TRUE(endsQuietly(StartUpWaitMs));
    QByteArray answers = sent.mid(4);
    EXPECT_EQ(answers.replace(char(protocol::SinComando), QByteArray()), QByteArray("\x22\x8F"));
    EXPECT_EQ(answerer.seen(),
        QStringList{QStringLiteral("Cambios de configuración | Ha hecho cambios en la "
                                   "configuración\r\n¿Desea salvarlos?")});
}

INSTANTIATE_TEST_SUITE_P(Accepters, WholeConversation, ::testing::Values(Accepter::Tcp, Accepter::Rfc2217),
    [](const auto& info) { return info.param == Accepter::Rfc2217 ? "Rfc2217" : "RawTcp"; });

// A connection taken over by another client, or a ser2net that ends, is a
// lost link: the retry goes nowhere and the watchdog reports it.
struct Drop {
    const char* name;
    Accepter accepter;
    std::function<void(Ser2netBridge&, QList<std::shared_ptr<QTcpSocket>>&)> act;
};

void PrintTo(const Drop& drop, std::ostream* out)
{
    *out << drop.name;
}

class DroppedConnection : public ConsoleBehindSer2net, public ::testing::WithParamInterface<Drop>
{
};

TEST_P(DroppedConnection, TakesTheWatchdogsPath)
{
    serve(GetParam().accepter);
    ASSERT_TRUE(polling());
    QList<std::shared_ptr<QTcpSocket>> others;
    GetParam().act(*bridge, others);
    ASSERT_TRUE(endsQuietly(PollingWaitMs));
    EXPECT_EQ(answerer.seen().value(0), LinkLost);
}

INSTANTIATE_TEST_SUITE_P(Drops, DroppedConnection,
    ::testing::Values(Drop{"TakenOverByAnotherClient", Accepter::Tcp,
                          [](Ser2netBridge& bridge, QList<std::shared_ptr<QTcpSocket>>& others) {
                              others.append(std::make_shared<QTcpSocket>());
                              others.last()->connectToHost(QHostAddress::LocalHost, bridge.port());
                          }},
        Drop{"Ser2netStopped", Accepter::Rfc2217, [](Ser2netBridge& bridge, auto&) { bridge.stop(); }},
        Drop{"Ser2netKilled", Accepter::Tcp, [](Ser2netBridge& bridge, auto&) { bridge.kill(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
