#include "sim/exchange_server.h"
#include "wire.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace
{

std::unique_ptr<ExchangeServer> quietServer()
{
    QString error;
    auto server = ExchangeServer::onPseudoTerminal(Wire::options("--fast"), &error);
    EXPECT_TRUE(server) << error.toStdString();
    return server;
}

// Reads until `count` bytes came or two seconds passed, running the server's event loop meanwhile.
QByteArray readFrom(int fd, qsizetype count)
{
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (bytes.size() < count && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (pollfd p{fd, POLLIN, 0}; ::poll(&p, 1, 1) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, size_t(std::min<qsizetype>(count - bytes.size(), sizeof buffer)));
        if (n > 0)
            bytes.append(buffer, n);
    }
    return bytes;
}

// The console's end opened with plain POSIX calls, without setting the
// terminal up: the numbering table and the block hold bytes that a cooked
// terminal would change or act on (0x0D, 0x03 interrupt, 0x11/0x13 flow control).
TEST(ExchangeServer, ServesARawPseudoTerminalWithOutsideCallsAndSilenceOnDemand)
{
    const auto server = quietServer();
    ASSERT_TRUE(server);
    const int console = ::open(server->consolePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(console, 0);
    std::vector<std::pair<quint8, qint64>> answers;
    QObject::connect(server.get(), &ExchangeServer::pollAnswered, [&answers](quint8 answer, qint64 latency) {
        answers.push_back({answer, latency});
    });
    const ExchangePlan plan = ExchangePlan::builtIn();
    const std::pair<unsigned char, QByteArray> handshake[] = {{0x44, "IDR9030412"}, {0x42, plan.numberingTable()},
        {0x43, plan.directoryBlock()}, {0xC0, QByteArray(1, char(protocol::Sondeo))}};
    for (const auto& [request, reply] : handshake) {
        ASSERT_EQ(::write(console, &request, 1), 1);
        ASSERT_EQ(readFrom(console, reply.size()), reply) << int(request);
    }

    ASSERT_TRUE(server->ringLine(2));
    ASSERT_TRUE(server->callConsoleFrom(7));
    ASSERT_EQ(::write(console, &protocol::SinComando, 1), 1);
    const QByteArray frame = readFrom(console, 25);
    ASSERT_EQ(frame.size(), 25);
    EXPECT_EQ(frame[6], char(4)) << "extension 7 calls the console";
    EXPECT_EQ(frame[20], char(6)) << "line 2 rings";
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].first, protocol::SinComando);
    EXPECT_GE(answers[0].second, 0);
    EXPECT_EQ(readFrom(console, 1), QByteArray(1, char(protocol::Sondeo)));
    server->fallSilent();
    EXPECT_EQ(readFrom(console, 1), QByteArray()) << "a poll came after the exchange fell silent";
    ::close(console);
}

// The console's own serial port class, opened, closed and opened again.
TEST(ExchangeServer, AQtSerialPortGetsTheIdentityEachTimeItOpens)
{
    const auto server = quietServer();
    ASSERT_TRUE(server);
    QSerialPort port(server->consolePath());
    for (int opening = 0; opening < 3; ++opening) {
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        port.setBaudRate(QSerialPort::Baud9600);
        port.write(QByteArray(1, char(protocol::PideIdentidad)));
        QElapsedTimer clock;
        clock.start();
        while (port.bytesAvailable() < 10 && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_EQ(port.read(10), QByteArray("IDR9030412")) << "opening " << opening;
        port.close();
    }
}

TEST(ExchangeServer, AMissingDeviceIsReported)
{
    QString error;
    EXPECT_FALSE(ExchangeServer::onDevice(QStringLiteral("/nonexistent/tty"), ExchangeOptions(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/tty")));
}

} // namespace
