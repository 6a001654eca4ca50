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
    struct Shown {
        QString summary;
        QString body;
        uint replaces;
    };
    std::vector<Shown> shown;
    std::vector<uint> closed;
    std::vector<QDBusMessage> unanswered;
    QDBusConnection* bus = nullptr;

    void answer(std::size_t index, uint id) { bus->send(unanswered.at(index).createReply(id)); }

public slots:
    uint Notify(const QString&, uint replaces, const QString&, const QString& summary, const QString& body,
        const QStringList&, const QVariantMap&, int, const QDBusMessage& message)
    {
        shown.push_back({summary, body, replaces});
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

TEST_F(PrivateBus, WithoutTheServiceNothingIsOffered)
{
    EXPECT_FALSE(DesktopNotification(*console).available());
}

TEST_F(PrivateBus, ShowsReplacesAndWithdrawsByTheIdThatCameBack)
{
    offerService();
    DesktopNotification notification(*console);
    ASSERT_TRUE(notification.available());
    notification.show("Llamada en espera", "Interno 14");
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.shown.size() == 1; }, 5000));
    EXPECT_EQ(fake.shown[0].summary, "Llamada en espera");
    EXPECT_EQ(fake.shown[0].body, "Interno 14");
    EXPECT_EQ(fake.shown[0].replaces, 0u);
    fake.answer(0, 7);
    settle();
    notification.show("Llamada en espera", "Interno 15");
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.shown.size() == 2; }, 5000));
    EXPECT_EQ(fake.shown[1].replaces, 7u);
    fake.answer(1, 7);
    settle();
    notification.close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return fake.closed == std::vector<uint>{7}; }, 5000));
}

TEST_F(PrivateBus, AShowWithdrawnOrOvertakenBeforeItsIdCameBackIsWithdrawnThen)
{
    offerService();
    DesktopNotification notification(*console);
    notification.show("Llamada en espera", "Interno 14");
    notification.close();
    notification.show("Llamada en espera", "Interno 15");
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.shown.size() == 2; }, 5000));
    fake.answer(0, 3);
    fake.answer(1, 4);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fake.closed.empty(); }, 5000));
    EXPECT_EQ(fake.closed, std::vector<uint>{3});
    notification.close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.closed.size() == 2; }, 5000));
    EXPECT_EQ(fake.closed, (std::vector<uint>{3, 4}));
}

} // namespace

#include "desktop_notification_test.moc"
