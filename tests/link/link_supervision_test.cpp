#include "link_fixture.h"

using LinkSupervisionTest = LinkTest;

TEST_F(LinkSupervisionTest, SilenceWhilePollingIsRetriedOnceAfterTenSecondsAndLostAfterTwenty)
{
    connect();
    configuration.changed = false;
    // Any byte after a retry earns the next silence another retry.
    for (const QByteArray& signOfLife : {exchange::Poll + exchange::IdleFrame, oneByte(0x33)}) {
        clock.advanceUs(10'000'000 - 1);
        EXPECT_TRUE(port.takeWritten().isEmpty());
        clock.advanceUs(1);
        EXPECT_EQ(port.takeWritten(), oneByte(wire::StartPolling));
        EXPECT_EQ(port.threshold, 1);
        clock.advanceMs(5000);
        port.deliver(signOfLife);
        port.takeWritten();
    }
    clock.advanceUs(20'000'000 - 1);
    EXPECT_EQ(port.takeWritten(), oneByte(wire::StartPolling));
    EXPECT_TRUE(messages.log.isEmpty());
    clock.advanceUs(1);
    EXPECT_EQ(messages.log, (QStringList{"beep", LostLink}));
    EXPECT_EQ(closes(), 1);
    EXPECT_TRUE(port.takeWritten().isEmpty());
}

TEST_F(LinkSupervisionTest, EachStartUpPhaseExpiresWithItsMessageAfterItsIntervalAndClosesOnce)
{
    struct Case {
        const char* name;
        std::vector<QByteArray> replies; // what the exchange sent before falling silent
        int intervalMs;
        QString message;
    };
    const Case cases[] = {
        {"no identity", {}, 3000, NoConnection},
        {"silent after identity", {exchange::Identity}, 3000, NoConnection},
        {"silent after table", {exchange::Identity, exchange::NumberingTable}, 3000, NoConnection},
        {"wrong model", {QByteArray("xxR9041234")}, 200,
            QStringLiteral("16 Error de comunicación | Respuesta incorrecta de R903. Por favor reintente")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig t;
        t.clock.advanceMs(300);
        for (const QByteArray& reply : c.replies)
            t.port.deliver(reply);
        t.configuration.changed = false;
        t.clock.advanceUs(c.intervalMs * 1000 - 1);
        EXPECT_TRUE(t.messages.log.isEmpty());
        t.clock.advanceUs(1);
        EXPECT_EQ(t.messages.log, (QStringList{"beep", c.message}));
        t.clock.advanceMs(60000);
        EXPECT_EQ(t.closes(), 1);
    }
}

// Whether to save, by each answer and without changes, is asked on the desktop.
TEST_F(LinkSupervisionTest, TheClosingRequestClosesHalfASecondLaterAskingToSaveAChange)
{
    connect();
    configuration.changed = true;
    session.queue().endConnection();
    port.deliver(exchange::Poll);
    EXPECT_EQ(port.takeWritten(), oneByte(wire::EndConnection));
    EXPECT_EQ(port.threshold, 0); // nothing more is listened to
    clock.advanceUs(500'000 - 1);
    EXPECT_TRUE(messages.log.isEmpty());
    clock.advanceUs(1);
    EXPECT_EQ(messages.log, (QStringList{"beep", SaveQuestion}));
    EXPECT_TRUE(store.file);
    EXPECT_EQ(closes(), 1);
}

TEST_F(LinkSupervisionTest, ExpiriesDuringTheClosingMessagesStartNothing)
{
    connect();
    configuration.changed = true;
    // While each modal box is open, a minute of timer ticks goes by.
    messages.whileShown = [this] { clock.advanceMs(60000); };
    clock.advanceMs(20000);
    EXPECT_EQ(messages.log, (QStringList{"beep", LostLink, "beep", SaveQuestion}));
    EXPECT_TRUE(store.file);
    EXPECT_EQ(closes(), 1);
    EXPECT_EQ(port.takeWritten(), oneByte(wire::StartPolling)); // the one retry only
}
