#include "platform/qt/desktop_notification.h"

#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// A notification service that records its calls and answers Notify only
// when the test says so.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    std::vector<uint> replaced; // by each Notify, in turn
    std::vector<uint> closed;
    std::vector<QDBusMessage> unanswered;
    QDBusConnection* bus = nullptr;

    void answer(std::size_t index, uint id) { bus->send(unanswered.at(index).createReply(id)); }

public slots:
    uint Notify(const QString&, uint replaces, const QString&, const QString&, const QString&, const QStringList&,
        const QVariantMap&, int, const QDBusMessage& message)
    {
        replaced.push_back(replaces);
        message.setDelayedReply(true);
        unanswered.push_back(message);
        return 0;
    }
    void CloseNotification(uint id) { closed.push_back(id); }
};

// A bus of the test's own, with the fake service on one connection and the
// console's side on another.
struct PrivateBus : ::testing::Test {
    void SetUp() override
    {
        daemon.start(
            "dbus-daemon", {"--session", "--address=unix:dir=" + folder.path(), "--print-address=1", "--nofork"});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << daemon.errorString().toStdString();
        ASSERT_TRUE(daemon.waitForReadyRead(5000));
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        service = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "service"));
        console = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "console"));
        ASSERT_TRUE(service->isConnected() && console->isConnected());
        fake.bus = service.get();
    }

    void offerService()
    {
        ASSERT_TRUE(service->registerObject("/org/freedesktop/Notifications", &fake, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service->registerService("org.freedesktop.Notifications"));
    }

    // A round trip to the service: whatever it sent before has reached the console.
    void settle()
    {
        console->call(QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                          "org.freedesktop.DBus.Peer", "Ping"),
            QDBus::BlockWithGui);
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        service.reset();
        console.reset();
        QDBusConnection::disconnectFromBus("service");
        QDBusConnection::disconnectFromBus("console");
        daemon.kill();
        daemon.waitForFinished();
    }

    QTemporaryDir folder;
    QProcess daemon;
    std::unique_ptr<QDBusConnection> service;
    std::unique_ptr<QDBusConnection> console;
    FakeNotifications fake;
};

// Offered only where the desktop has the service. Its answer to a show (an
// id) comes later: a show withdrawn or overtaken before then goes once the id
// is known, and the next show replaces the one on screen.
TEST_F(PrivateBus, EachShowReplacesTheOneShownAndOneWithdrawnOrOvertakenBeforeItsIdCameBackGoesThen)
{
    EXPECT_FALSE(DesktopNotification(*console).available()) << "no service yet";
    offerService();
    DesktopNotification notification(*console);
    ASSERT_TRUE(notification.available());
    notification.show("Llamada en espera", "Interno 14");
    notification.close();
    notification.show("Llamada en espera", "Interno 15");
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.replaced.size() == 2; }, 5000));
    fake.answer(0, 3);
    fake.answer(1, 4);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fake.closed.empty(); }, 5000));
    EXPECT_EQ(fake.closed, std::vector<uint>{3});
    settle();
    notification.show("Llamada en espera", "Interno 16");
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.replaced.size() == 3; }, 5000));
    EXPECT_EQ(fake.replaced, (std::vector<uint>{0, 0, 4}));
    fake.answer(2, 4);
    settle();
    notification.close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.closed.size() == 2; }, 5000));
    EXPECT_EQ(fake.closed, (std::vector<uint>{3, 4}));
}

} // namespace

#include "desktop_notification_test.moc"
