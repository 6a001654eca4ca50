#include "platform/qt/network_line.h"

#include "qt_printers.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

// A far end that sends far more than the console reads at once: the line holds
// no more than a serial port's read buffer, and every byte arrives in order.
TEST(NetworkLine, HoldsAReadBufferOfAFloodAndLosesNothing)
{
    constexpr qint64 ReadBuffer = 4096;
    QTcpServer farEnd;
    ASSERT_TRUE(farEnd.listen(QHostAddress::LocalHost));
    NetworkLine line;
    std::optional<std::optional<QString>> opened;
    line.open(QStringLiteral("tcp://127.0.0.1:%1").arg(farEnd.serverPort()),
        [&opened](const std::optional<QString>& error) { opened = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.has_value() && farEnd.hasPendingConnections(); }, 5000));
    ASSERT_EQ(*opened, std::nullopt);
    QTcpSocket* exchange = farEnd.nextPendingConnection();
    QByteArray flood;
    for (int i = 0; i < 6000; ++i)
        flood.append(char(i * 7 % 251));
    exchange->write(flood);

    qint64 most = 0;
    line.onReadyRead([&] { most = std::max(most, line.bytesAvailable()); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return line.bytesAvailable() == ReadBuffer; }, 5000));
    QByteArray received;
    while (received.size() < flood.size()) {
        if (!QTest::qWaitFor([&] { return line.bytesAvailable() > 0; }, 5000))
            break;
        most = std::max(most, line.bytesAvailable());
        received += line.read(1000);
    }
    EXPECT_EQ(received.size(), flood.size());
    EXPECT_TRUE(received == flood);
    EXPECT_EQ(most, ReadBuffer);
}
