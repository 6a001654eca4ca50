#include "sim/exchange_server.h"

#include "link/protocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace
{

// The console's end, opened with plain POSIX calls as a serial port would be.
class ConsoleSide
{
public:
    explicit ConsoleSide(const QString& path)
        : fd_(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~ConsoleSide()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void send(unsigned char byte) { ASSERT_EQ(::write(fd_, &byte, 1), 1); }
    // Reads until `count` bytes came or two seconds passed, running the server's event loop meanwhile.
    QByteArray read(int count)
    {
        QByteArray bytes;
        QElapsedTimer clock;
        clock.start();
        while (bytes.size() < count && clock.elapsed() < 2000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 1) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, size_t(std::min<qsizetype>(count - bytes.size(), sizeof buffer)));
            if (n > 0)
                bytes.append(buffer, n);
        }
        return bytes;
    }

private:
    int fd_;
};

ExchangeOptions fastQuiet()
{
    ExchangeOptions options;
    options.paced = false;
    options.traffic = false;
    return options;
}

TEST(ExchangeServer, ServesAPseudoTerminalThatTheConsoleMayReopen)
{
    QString error;
    auto server = ExchangeServer::onPseudoTerminal(fastQuiet(), &error);
    ASSERT_TRUE(server) << error.toStdString();
    std::vector<quint8> heard;
    QObject::connect(
        server.get(), &ExchangeServer::consoleByte, [&heard](quint8 byte, qint64) { heard.push_back(byte); });
    for (int opening = 0; opening < 2; ++opening) {
        ConsoleSide console(server->consolePath());
        ASSERT_TRUE(console.isOpen()) << server->consolePath().toStdString();
        console.send(protocol::PideIdentidad);
        EXPECT_EQ(console.read(10), QByteArray("IDR9030412")) << "opening " << opening;
    }
    EXPECT_EQ(heard, (std::vector<quint8>{protocol::PideIdentidad, protocol::PideIdentidad}));
}

TEST(ExchangeServer, TheConsoleSideIsRaw)
{
    QString error;
    auto server = ExchangeServer::onPseudoTerminal(fastQuiet(), &error);
    ASSERT_TRUE(server) << error.toStdString();
    ConsoleSide console(server->consolePath());
    ASSERT_TRUE(console.isOpen());
    // The numbering table holds bytes that a cooked terminal would change or
    // act on (0x0D carriage return, 0x03 interrupt, 0x11/0x13 flow control).
    bool handshake = false;
    QObject::connect(server.get(), &ExchangeServer::handshakeDone, [&handshake] { handshake = true; });
    console.send(protocol::PideIdentidad);
    console.read(10);
    console.send(protocol::PideTablaInternos);
    EXPECT_EQ(console.read(512), ExchangePlan::builtIn().numberingTable());
    console.send(protocol::PideMemorias);
    EXPECT_EQ(console.read(2048), ExchangePlan::builtIn().directoryBlock());
    console.send(protocol::IniciaSondeo);
    EXPECT_EQ(console.read(1), QByteArray(1, char(protocol::Sondeo)));
    EXPECT_TRUE(handshake);
    std::vector<std::pair<quint8, qint64>> answers;
    QObject::connect(server.get(), &ExchangeServer::pollAnswered, [&answers](quint8 answer, qint64 latency) {
        answers.push_back({answer, latency});
    });
    console.send(protocol::SinComando);
    EXPECT_EQ(console.read(25).size(), 25);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].first, protocol::SinComando);
    EXPECT_GE(answers[0].second, 0);
}

TEST(ExchangeServer, OutsideCallsShowInTheNextFrameAndSilenceStopsThePolls)
{
    QString error;
    auto server = ExchangeServer::onPseudoTerminal(fastQuiet(), &error);
    ASSERT_TRUE(server) << error.toStdString();
    ConsoleSide console(server->consolePath());
    const std::pair<unsigned char, int> handshake[] = {{0x44, 10}, {0x42, 512}, {0x43, 2048}, {0xC0, 1}};
    for (auto [request, length] : handshake) {
        console.send(request);
        ASSERT_EQ(console.read(length).size(), length);
    }
    ASSERT_TRUE(server->ringLine(2));
    ASSERT_TRUE(server->callConsoleFrom(7));
    console.send(protocol::SinComando);
    const QByteArray frame = console.read(25);
    ASSERT_EQ(frame.size(), 25);
    EXPECT_EQ(frame[6], char(4)) << "extension 7 calls the console";
    EXPECT_EQ(frame[20], char(6)) << "line 2 rings";
    EXPECT_EQ(console.read(1), QByteArray(1, char(protocol::Sondeo)));
    server->fallSilent();
    EXPECT_EQ(console.read(1), QByteArray()) << "a poll came after the exchange fell silent";
}

// The console's own serial port class, opened, closed and opened again.
TEST(ExchangeServer, AQtSerialPortGetsTheIdentityEachTimeItOpens)
{
    QString error;
    auto server = ExchangeServer::onPseudoTerminal(fastQuiet(), &error);
    ASSERT_TRUE(server) << error.toStdString();
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
    EXPECT_FALSE(ExchangeServer::onDevice(QStringLiteral("/nonexistent/tty"), fastQuiet(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/tty")));
}

} // namespace
