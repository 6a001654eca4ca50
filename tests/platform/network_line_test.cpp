#include "platform/qt/network_line.h"

#include "qt_printers.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

// A far end that sends more than the console has read: the line holds no more
// than a serial port's read buffer, and the bytes that came while it was full
// follow once the console reads, though nothing more comes from the network.
TEST(NetworkLine, HoldsAReadBufferAndLosesNothingThatCameWhileItWasFull)
{
    constexpr int ReadBuffer = 4096;
    QTcpServer farEnd;
    ASSERT_TRUE(farEnd.listen(QHostAddress::LocalHost));
    NetworkLine line;
    std::optional<std::optional<QString>> opened;
    line.open(QStringLiteral("tcp://127.0.0.1:%1").arg(farEnd.serverPort()),
        [&opened](const std::optional<QString>& error) { opened = error; });
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
