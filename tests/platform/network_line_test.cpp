#include "platform/qt/network_line.h"

#include "qt_printers.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>

// A far end that sends more than the console has read: the line holds no more
// than a serial port's read buffer, and the bytes that came while it was full
// follow once the console reads, though nothing more comes from the network.
TEST(NetworkLine, HoldsAReadBufferAndLosesNothingThatCameWhileItWasFull)
{
    constexpr int ReadBuffer = 4096;
    QTcpServer farEnd;
    ASSERT_TRUE(farEnd.listen(QHostAddress::LocalHost));
    NetworkLine line;
    std::optional<std::optional<LineFailure>> opened;
    line.open(QStringLiteral("tcp://127.0.0.1:%1").arg(farEnd.serverPort()),
        [&opened](const std::optional<LineFailure>& failure) { opened = failure; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.has_value() && farEnd.hasPendingConnections(); }, 5000));
    ASSERT_EQ(*opened, std::nullopt);
    QTcpSocket* exchange = farEnd.nextPendingConnection();
    int arrivals = 0;
    line.onReadyRead([&arrivals] { ++arrivals; });
    QByteArray sent;
    for (int i = 0; i < ReadBuffer + 100; ++i)
        sent.append(char(i * 7 % 256));

    exchange->write(sent.left(ReadBuffer));
    ASSERT_TRUE(QTest::qWaitFor([&] { return line.bytesAvailable() == ReadBuffer; }, 5000));
    const int arrivalsWhenFull = arrivals;
    exchange->write(sent.mid(ReadBuffer));
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals > arrivalsWhenFull; }, 5000));
    EXPECT_EQ(line.bytesAvailable(), ReadBuffer);

    QByteArray received;
    while (received.size() < sent.size() && QTest::qWaitFor([&] { return line.bytesAvailable() > 0; }, 2000))
        received += line.read(1000);
    EXPECT_EQ(received.size(), sent.size());
    EXPECT_TRUE(received == sent);
}

namespace
{

// A device server on 127.0.0.1 that, once a client has sent something, sends
// `words`, then closes the connection, or breaks it off (a reset) when `reset`.
class HangingUpServer
{
public:
    HangingUpServer(QByteArray words, bool reset)
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this, words, reset] {
            QTcpSocket* client = server_.nextPendingConnection();
            QObject::connect(client, &QTcpSocket::readyRead, client, [client, words, reset] {
                client->write(words);
                client->flush();
                const linger abortive{1, 0};
                if (reset)
                    ::setsockopt(int(client->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
                client->abort();
            });
        });
    }
    QString url(const char* scheme) const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(server_.serverPort());
    }

private:
    QTcpServer server_;
};

// How an open of `device` on a fresh line ends, and how the line is lost after.
struct Outcome {
    std::optional<LineFailure> open;
    std::optional<LineFailure> lost;
};

Outcome openAndLose(const QString& device)
{
    NetworkLine line;
    std::optional<std::optional<LineFailure>> opened;
    Outcome outcome;
    line.onFailed([&outcome](const LineFailure& failure) { outcome.lost = failure; });
    line.onReadyRead([] { ADD_FAILURE() << "a server's refusal reached the console"; });
    line.open(device, [&opened](const std::optional<LineFailure>& failure) { opened = failure; });
    if (!QTest::qWaitFor([&] { return opened.has_value(); }, 10000))
        return {LineFailure(LineFailure::Cause::Unmapped, QStringLiteral("no end of the open")), {}};
    outcome.open = *opened;
    line.write('D');
    if (!outcome.open)
        static_cast<void>(QTest::qWaitFor([&] { return outcome.lost.has_value(); }, 2000));
    return outcome;
}

} // namespace

// Each way a network line fails is told by its cause, in the open (RFC 2217
// sets the far port up first) or as the line is lost (raw TCP is open once
// connected); a device server's own words are told as its refusal.
TEST(NetworkLine, FailuresAreToldByCause)
{
    using Cause = LineFailure::Cause;
    const std::tuple<QByteArray, bool, Cause, bool> servers[] = {
        // what the server says, whether it resets, the cause, told as the server's refusal
        {QByteArray(), false, Cause::Closed, false},
        {QByteArray(), true, Cause::Reset, false},
        {"Port already in use\r\n", true, Cause::Busy, true},
    };
    for (const auto& [words, reset, cause, atServer] : servers) {
        const HangingUpServer server(words, reset);
        for (const char* scheme : {"tcp", "rfc2217"}) {
            SCOPED_TRACE(scheme + (" " + words.toStdString()) + (reset ? "reset" : ""));
            const Outcome outcome = openAndLose(server.url(scheme));
            const std::optional<LineFailure>& failure = scheme == QLatin1String("tcp") ? outcome.lost : outcome.open;
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->cause, cause) << failure->words.toStdString();
            EXPECT_EQ(failure->atPortServer, atServer);
        }
    }
    const HangingUpServer noPortControl(QByteArray("\xff\xfe\x2c", 3), false); // DONT COM-PORT-OPTION
    EXPECT_EQ(openAndLose(noPortControl.url("rfc2217")).open->cause, Cause::SettingsRefused);
}
