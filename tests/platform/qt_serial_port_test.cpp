#include "platform/qt/qt_serial_port.h"
#include "sim/serial_endpoint.h"

#include "opened_port.h"
#include "ordinary_user.h"
#include "qt_printers.h"

#include <QFile>

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// The `count` bytes the console sent to the exchange's end, or fewer if they
// do not all come within 2 s (bytes written one by one may arrive apart).
QByteArray received(const SerialEndpoint& line, int count)
{
    QByteArray bytes;
    char buffer[16];
    pollfd p{line.fd(), POLLIN, 0};
    while (bytes.size() < count && ::poll(&p, 1, 2000) > 0) {
        const ssize_t n = ::read(line.fd(), buffer, std::min<std::size_t>(sizeof buffer, count - bytes.size()));
        if (n <= 0)
            break;
        bytes.append(buffer, int(n));
    }
    return bytes;
}

// The console's port opened on a fresh pseudo-terminal; each data
// notification runs `onData` and is counted.
class QtSerialPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        port.onData([this] {
            ++notifications;
            if (onData)
                onData();
        });
        port.useDeviceOnce(pty.consolePath());
        ASSERT_EQ(openAndWait(port, 1), std::nullopt);
    }
    void send(const QByteArray& bytes) { ASSERT_EQ(::write(pty.fd(), bytes.constData(), bytes.size()), bytes.size()); }

    // Lets the event loop run for a while (real time: the bytes travel through the kernel).
    static void settle(int ms = 50) { QTest::qWait(ms); }
    bool notifiedAtLeast(int count)
    {
        return QTest::qWaitFor([this, count] { return notifications >= count; }, 2000);
    }

    SerialEndpoint pty = std::get<SerialEndpoint>(SerialEndpoint::openPseudoTerminal());
    QtSerialPort port;
    std::function<void()> onData;
    int notifications = 0;
};

} // namespace

TEST_F(QtSerialPortTest, WrittenByteLeavesWithoutWaitingForTheEventLoop)
{
    port.write(0x44);
    EXPECT_EQ(received(pty, 1), QByteArray("D"));
    port.write(0x8F);
    port.write(0x00);
    EXPECT_EQ(received(pty, 2), QByteArray("\x8F\x00", 2));
}

TEST_F(QtSerialPortTest, ThresholdZeroHoldsBytesThatALowerThresholdReleases)
{
    port.setReceiveThreshold(0);
    send("\x19\x19\x19");
    settle(100);
    port.setReceiveThreshold(25);
    settle();
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(port.bytesWaiting(), 3);
    onData = [this] { port.read(1); };
    port.setReceiveThreshold(1);
    ASSERT_TRUE(notifiedAtLeast(3));
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(QtSerialPortTest, HandlerThatTakesNothingIsNotCalledAgainUntilMoreBytesCome)
{
    port.setReceiveThreshold(4);
    send("abcd");
    ASSERT_TRUE(notifiedAtLeast(1));
    settle(100);
    EXPECT_EQ(notifications, 1);
    send("e");
    ASSERT_TRUE(notifiedAtLeast(2));
    settle();
    EXPECT_EQ(notifications, 2);
}

TEST_F(QtSerialPortTest, BytesWaitingBeforeOpeningAreDiscarded)
{
    port.close();
    send("stale bytes");
    settle();
    port.useDeviceOnce(pty.consolePath());
    ASSERT_EQ(openAndWait(port, 1), std::nullopt);
    port.setReceiveThreshold(2);
    onData = [this] { EXPECT_EQ(port.read(2), QByteArray("ok")); };
    send("ok");
    ASSERT_TRUE(notifiedAtLeast(1));
}

// Each way a device cannot be opened is told by its cause; a device given for
// the run is named by its path, and serves one open only.
TEST(QtSerialPortOpen, FailuresAreToldByCauseAndNameTheDeviceGivenForTheRun)
{
    using Cause = LineFailure::Cause;
    const auto pty = std::get<SerialEndpoint>(SerialEndpoint::openPseudoTerminal());
    QtSerialPort holder; // has the line already
    holder.useDeviceOnce(pty.consolePath());
    ASSERT_EQ(openAndWait(holder, 1), std::nullopt);
    const std::pair<QString, Cause> cases[] = {
        {QStringLiteral("/dev/opr903-no-such-device"), Cause::NoSuchDevice},
        {QStringLiteral("/dev/null"), Cause::NotSerial},
        {pty.consolePath(), Cause::Busy},
    };
    QtSerialPort port;
    for (const auto& [device, cause] : cases) {
        port.useDeviceOnce(device);
        const auto failure = openAndWait(port, 1);
        ASSERT_TRUE(failure) << device.toStdString();
        EXPECT_EQ(failure->cause, cause) << device.toStdString() << ": " << failure->words.toStdString();
        EXPECT_EQ(failure->line, device);
        EXPECT_FALSE(port.isOpen());
    }
    EXPECT_EQ(openAndWait(port, 17)->cause, Cause::InvalidPortNumber);
    EXPECT_EQ(openAndWait(port, 17)->line, QString());

    holder.close();
    port.useDeviceOnce(pty.consolePath());
    ASSERT_EQ(openAndWait(port, -4), std::nullopt); // the number is not looked at
    port.close();
    EXPECT_EQ(openAndWait(port, -4)->cause, Cause::InvalidPortNumber);
}

// A device this user may not use says so, and how to get access; one that
// goes away while open is lost, once, as vanished.
TEST(QtSerialPortOpen, ADeviceWithoutPermissionOrThatVanishesIsToldSo)
{
    auto pty = std::get<SerialEndpoint>(SerialEndpoint::openPseudoTerminal());
    const QByteArray path = QFile::encodeName(pty.consolePath());
    QtSerialPort port;
    {
        ASSERT_EQ(::chmod(path.constData(), 0), 0);
        const OrdinaryUser user; // root may open any device
        port.useDeviceOnce(pty.consolePath());
        const auto failure = openAndWait(port, 1);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->cause, LineFailure::Cause::NoPermission) << failure->words.toStdString();
        EXPECT_TRUE(failure->remedy.contains(QStringLiteral("dialout")));
    }
    ASSERT_EQ(::chmod(path.constData(), 0600), 0);
    port.useDeviceOnce(pty.consolePath());
    ASSERT_EQ(openAndWait(port, 1), std::nullopt);
    std::vector<LineFailure> lost;
    port.onLost([&lost](const LineFailure& failure) { lost.push_back(failure); });
    {
        const SerialEndpoint gone = std::move(pty);
    }
    ASSERT_TRUE(QTest::qWaitFor([&lost] { return !lost.empty(); }, 2000));
    QTest::qWait(50);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].cause, LineFailure::Cause::Vanished) << lost[0].words.toStdString();
    EXPECT_EQ(lost[0].line, QString::fromLocal8Bit(path));
    EXPECT_FALSE(port.isOpen());
}
