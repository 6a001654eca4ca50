// The console reaches the simulated exchange through ser2net, as it would a
// real one behind a device server (the whole conversation is among the
// end-to-end cases): connections that go away.
#include "../e2e/traced_console.h"

#include <QSignalSpy>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace
{

using Accepter = Ser2netBridge::Accepter;

// A connection taken over by another client, or a ser2net that ends, is a
// lost link: the retry goes nowhere and the watchdog reports it.
struct Drop {
    const char* name;
    Accepter accepter;
    void (*act)(Ser2netBridge&, QTcpSocket& otherClient);
};

void PrintTo(const Drop& drop, std::ostream* out)
{
    *out << drop.name;
}

class DroppedConnection : public TracedConsole, public ::testing::WithParamInterface<Drop>
{
};

TEST_P(DroppedConnection, TakesTheWatchdogsPath)
{
    ExchangeOptions options;
    options.pollPeriodMs = 20;
    options.traffic = false;
    ASSERT_NO_FATAL_FAILURE(startThrough(GetParam().accepter, QStringLiteral("9600n81"), options));
    QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
    ASSERT_TRUE(handshake.wait(StartUpWaitMs)) << sent.toHex().toStdString();
    QTcpSocket otherClient;
    GetParam().act(*bridge, otherClient);
    ASSERT_TRUE(endsQuietly(PollingWaitMs));
    EXPECT_EQ(answerer.seen().value(0), LinkLost);
}

INSTANTIATE_TEST_SUITE_P(Drops, DroppedConnection,
    ::testing::Values(Drop{"TakenOverByAnotherClient", Accepter::Tcp,
                          [](Ser2netBridge& bridge, QTcpSocket& otherClient) {
                              otherClient.connectToHost(QHostAddress::LocalHost, bridge.port());
                          }},
        Drop{"Ser2netStopped", Accepter::Rfc2217, [](Ser2netBridge& bridge, QTcpSocket&) { bridge.stop(); }},
        Drop{"Ser2netKilled", Accepter::Tcp, [](Ser2netBridge& bridge, QTcpSocket&) { bridge.kill(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
