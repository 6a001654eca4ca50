#include "platform/qt/qt_serial_port.h"
#include "sim/serial_endpoint.h"

#include "opened_port.h"
#include "qt_printers.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <poll.h>
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
        port.onNotification([this](SerialPort::Notification n) {
            if (n == SerialPort::Notification::Other)
                return;
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

TEST_F(QtSerialPortTest, MessagesArrivingInOneBurstAreEachHandled)
{
    // A poll, its status frame and the next poll in one write: three notifications.
    std::vector<QByteArray> handled;
    port.setReceiveThreshold(1);
    onData = [&] {
        const int length = port.receiveThreshold();
        handled.push_back(port.read(length));
        port.setReceiveThreshold(length == 1 ? 25 : 1);
    };
    const QByteArray frame(25, '\x02');
    send("\x19" + frame + "\x19");
    ASSERT_TRUE(notifiedAtLeast(3));
    settle();
    EXPECT_EQ(handled, (std::vector<QByteArray>{"\x19", frame, "\x19"}));
    EXPECT_EQ(port.receiveThreshold(), 25);
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

TEST(QtSerialPortOpen, DevicesThatAreNoSerialPortOrNoDeviceFailAndTheOverrideServesOneOpen)
{
    QtSerialPort port;
    port.useDeviceOnce(QStringLiteral("/dev/null"));
    const auto error = openAndWait(port, 1);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    EXPECT_FALSE(port.isOpen());
    port.useDeviceOnce(QStringLiteral("/dev/opr903-no-such-device"));
    EXPECT_TRUE(openAndWait(port, 1).has_value());
    EXPECT_EQ(openAndWait(port, 17), QStringLiteral("Número de puerto no válido"));

    const auto pty = std::get<SerialEndpoint>(SerialEndpoint::openPseudoTerminal());
    port.useDeviceOnce(pty.consolePath());
    ASSERT_EQ(openAndWait(port, -4), std::nullopt); // the number is not looked at
    port.close();
    EXPECT_EQ(openAndWait(port, -4), QStringLiteral("Número de puerto no válido"));
}
