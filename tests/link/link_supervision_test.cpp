#include "link_fixture.h"

using LinkSupervisionTest = LinkTest;

TEST_F(LinkSupervisionTest, SilenceWhilePollingIsRetriedOnceAfterTenSecondsAndLostAfterTwenty)
{
    connect();
    configuration.hayCambios = false;
    // Any byte after a retry earns the next silence another retry.
    for (const QByteArray& signOfLife : {exchange::Poll + exchange::IdleFrame, oneByte(0x33)}) {
        clock.advanceUs(10'000'000 - 1);
        EXPECT_TRUE(port.takeWritten().isEmpty());
        clock.advanceUs(1);
        EXPECT_EQ(port.takeWritten(), oneByte(protocol::IniciaSondeo));
        EXPECT_EQ(port.threshold, 1);
        clock.advanceMs(5000);
        port.deliver(signOfLife);
        port.takeWritten();
    }
    clock.advanceUs(20'000'000 - 1);
    EXPECT_EQ(port.takeWritten(), oneByte(protocol::IniciaSondeo));
    EXPECT_TRUE(messages.log.isEmpty());
    clock.advanceUs(1);
    EXPECT_EQ(messages.log, (QStringList{"beep", LostLink}));
    EXPECT_EQ(asked.count("unload"), 1);
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
        t.configuration.hayCambios = false;
        t.clock.advanceUs(c.intervalMs * 1000 - 1);
        EXPECT_TRUE(t.messages.log.isEmpty());
        t.clock.advanceUs(1);
        EXPECT_EQ(t.messages.log, (QStringList{"beep", c.message}));
        t.clock.advanceMs(60000);
        EXPECT_EQ(t.asked.count("unload"), 1);
    }
}

TEST_F(LinkSupervisionTest, TheClosingRequestClosesHalfASecondLaterAskingToSaveOnlyAChange)
{
    struct Case {
        bool changed;
        MessageAnswer answer;
        bool saves;
    };
    for (const Case& c :
        {Case{false, MessageAnswer::Yes, false}, {true, MessageAnswer::Yes, true}, {true, MessageAnswer::No, false}}) {
        LinkRig t;
        t.connect();
        t.configuration.hayCambios = c.changed;
        t.messages.answers.push_back(c.answer);
        t.cola.endConnection();
        t.port.deliver(exchange::Poll);
        EXPECT_EQ(t.port.takeWritten(), oneByte(protocol::FinConexion));
        EXPECT_EQ(t.port.threshold, 0); // nothing more is listened to
        t.clock.advanceUs(500'000 - 1);
        EXPECT_TRUE(t.asked.isEmpty());
        t.clock.advanceUs(1);
        EXPECT_EQ(t.asked, (c.saves ? QStringList{"save", "unload"} : QStringList{"unload"}));
        EXPECT_EQ(t.messages.log, (c.changed ? QStringList{"beep", SaveQuestion} : QStringList{}));
    }
}

TEST_F(LinkSupervisionTest, ExpiriesDuringTheClosingMessagesStartNothing)
{
    connect();
    configuration.hayCambios = true;
    // While each modal box is open, a minute of timer ticks goes by.
    messages.whileShown = [this] { clock.advanceMs(60000); };
    clock.advanceMs(20000);
    EXPECT_EQ(messages.log, (QStringList{"beep", LostLink, "beep", SaveQuestion}));
    EXPECT_EQ(asked, (QStringList{"save", "unload"}));
    EXPECT_EQ(port.takeWritten(), oneByte(protocol::IniciaSondeo)); // the one retry only
}
