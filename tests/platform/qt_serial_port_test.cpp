#include "platform/qt/qt_serial_port.h"

#include "pseudo_terminal.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <vector>

namespace
{

// The console's port opened on a fresh pseudo-terminal; each data
// notification runs `onData` and is counted.
class QtSerialPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        port.onNotification([this](SerialPort::Notification n) {
            if (n == SerialPort::Notification::Other) {
                ++others;
                return;
            }
            ++notifications;
            waitingAtNotification.push_back(port.bytesWaiting());
            if (onData)
                onData();
        });
        port.useDeviceOnce(pty.devicePath());
        ASSERT_EQ(port.open(1), std::nullopt);
    }

    // Lets the event loop run for a while (real time: the bytes travel through the kernel).
    static void settle(int ms = 50) { QTest::qWait(ms); }

    PseudoTerminal pty;
    QtSerialPort port;
    std::function<void()> onData;
    int notifications = 0;
    int others = 0;
    std::vector<int> waitingAtNotification;
};

} // namespace

TEST_F(QtSerialPortTest, WrittenByteLeavesWithoutWaitingForTheEventLoop)
{
    port.write(0x44);
    EXPECT_EQ(pty.receive(1, 200), QByteArray("D"));
    port.write(0x8F);
    port.write(0x00);
    EXPECT_EQ(pty.receive(2, 200), QByteArray("\x8F\x00", 2));
}

TEST_F(QtSerialPortTest, NotifiesOnlyWhenTheThresholdIsReached)
{
    port.setReceiveThreshold(10);
    onData = [this] { EXPECT_EQ(port.read(10), QByteArray("xxR9031234")); };
    const QByteArray reply("xxR9031234");
    for (int i = 0; i < 9; ++i) {
        pty.send(reply.mid(i, 1));
        settle(5);
    }
    settle();
    EXPECT_EQ(notifications, 0);
    pty.send(reply.right(1));
    ASSERT_TRUE(QTest::qWaitFor([this] { return notifications > 0; }, 2000));
    settle();
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(waitingAtNotification, std::vector<int>{10});
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(QtSerialPortTest, ThresholdZeroNeverNotifies)
{
    port.setReceiveThreshold(0);
    pty.send("abc");
    settle(100);
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(port.bytesWaiting(), 3);
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
    pty.send(QByteArray("\x19") + frame + QByteArray("\x19"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() >= 3; }, 2000));
    settle();
    ASSERT_EQ(handled.size(), 3u);
    EXPECT_EQ(handled[0], QByteArray("\x19"));
    EXPECT_EQ(handled[1], frame);
    EXPECT_EQ(handled[2], QByteArray("\x19"));
    EXPECT_EQ(port.receiveThreshold(), 25);
}

TEST_F(QtSerialPortTest, LoweringTheThresholdReleasesBytesAlreadyWaiting)
{
    port.setReceiveThreshold(25);
    pty.send("\x19\x19\x19");
    settle();
    EXPECT_EQ(notifications, 0);
    onData = [this] { port.read(1); };
    port.setReceiveThreshold(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return notifications >= 3; }, 2000));
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(QtSerialPortTest, HandlerThatTakesNothingIsNotCalledAgainUntilMoreBytesCome)
{
    port.setReceiveThreshold(4);
    pty.send("abcd");
    ASSERT_TRUE(QTest::qWaitFor([this] { return notifications > 0; }, 2000));
    settle(100);
    EXPECT_EQ(notifications, 1);
    pty.send("e");
    ASSERT_TRUE(QTest::qWaitFor([this] { return notifications > 1; }, 2000));
    settle();
    EXPECT_EQ(notifications, 2);
}

TEST_F(QtSerialPortTest, BytesWaitingBeforeOpeningAreDiscarded)
{
    port.close();
    pty.send("stale bytes");
    settle();
    port.useDeviceOnce(pty.devicePath());
    ASSERT_EQ(port.open(1), std::nullopt);
    settle();
    EXPECT_EQ(port.bytesWaiting(), 0);
    port.setReceiveThreshold(2);
    onData = [this] { EXPECT_EQ(port.read(2), QByteArray("ok")); };
    pty.send("ok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return notifications > 0; }, 2000));
}

TEST_F(QtSerialPortTest, VanishedPeerStopsReadingWithoutSpinning)
{
    port.setReceiveThreshold(1);
    onData = [this] { port.read(1); };
    pty.send("\x19");
    ASSERT_TRUE(QTest::qWaitFor([this] { return notifications == 1; }, 2000));
    pty.closeExchangeSide();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !port.isOpen(); }, 2000));
    EXPECT_GE(others, 1);
    const std::clock_t cpuBefore = std::clock();
    settle(300);
    const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuMs, 100.0);
    EXPECT_EQ(notifications, 1);
    port.write(0x8E); // writing to the vanished port is harmless
    EXPECT_FALSE(port.isOpen());
}

TEST(QtSerialPortOpen, DevicesThatAreNoSerialPortFailWithTheirDescription)
{
    QtSerialPort port;
    port.useDeviceOnce(QStringLiteral("/dev/null"));
    const auto error = port.open(1);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    EXPECT_FALSE(port.isOpen());

    port.useDeviceOnce(QStringLiteral("/dev/opr903-no-such-device"));
    EXPECT_TRUE(port.open(1).has_value());

    EXPECT_EQ(port.open(0), QStringLiteral("Número de puerto no válido"));
    EXPECT_EQ(port.open(17), QStringLiteral("Número de puerto no válido"));
}

TEST(QtSerialPortOpen, TheDeviceOverrideServesOneOpenOnly)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    port.useDeviceOnce(pty.devicePath());
    ASSERT_EQ(port.open(-4), std::nullopt); // the number is not looked at
    port.close();
    EXPECT_EQ(port.open(-4), QStringLiteral("Número de puerto no válido"));
}
