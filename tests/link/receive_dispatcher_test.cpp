#include "link_fixture.h"

using ReceiveDispatcherTest = LinkTest;

TEST_F(ReceiveDispatcherTest, HandshakeTakesEachBlockInTurnOntoThePanelAndStartsPolling)
{
    clock.advanceMs(300);
    EXPECT_EQ(port.takeWritten(), QByteArray("D"));
    port.deliver(exchange::identity().left(9));
    EXPECT_TRUE(port.takeWritten().isEmpty()); // short reply: no notification
    port.deliver("4");
    EXPECT_EQ(port.takeWritten(), QByteArray("B"));

    QByteArray table = exchange::numberingTable();
    table[4 * 18 + 1] = 0x55;
    port.deliver(table);
    EXPECT_EQ(port.takeWritten(), QByteArray("C"));
    EXPECT_EQ(port.threshold, 2048);
    EXPECT_EQ(panel.numberLabel(17).caption, "28"); // label i shows slot i + 1
    EXPECT_EQ(state.numeroInterno(19), "55");
    EXPECT_FALSE(panel.agendaEnabled());

    port.deliver(exchange::directoryBlock());
    EXPECT_EQ(port.takeWritten(), oneByte(protocol::IniciaSondeo));
    EXPECT_EQ(port.threshold, 1);
    EXPECT_TRUE(panel.agendaEnabled());
    EXPECT_TRUE(port.input.isEmpty());
    EXPECT_EQ(memorias[protocol::DirectoryDataLength - 1], std::uint8_t(protocol::DirectoryDataLength - 1));
}

TEST_F(ReceiveDispatcherTest, PollsAreAnsweredFromTheQueueWithThresholdOffWhileWritingOtherBytesAreNot)
{
    connect();
    cola.queue(0x21);
    cola.queue(protocol::Corta);
    port.events.clear();
    port.deliver(exchange::Poll);
    EXPECT_EQ(port.events, (std::vector<std::string>{"threshold 0", "write 21", "threshold 25"}));
    port.deliver(exchange::frame());
    EXPECT_EQ(port.threshold, 1);
    // A poll, a frame and the next poll in one burst.
    port.deliver(exchange::Poll + exchange::frame({{3, 1}}) + exchange::Poll);
    EXPECT_EQ(port.takeWritten(), QByteArray("\x21\x80\x8E"));
    EXPECT_EQ(panel.extension(3).colour, state.palette().ocupado);
    EXPECT_EQ(port.threshold, 25);
    port.deliver(exchange::frame() + QByteArray("\x00\x18\x1A\xC0", 4));
    EXPECT_TRUE(port.takeWritten().isEmpty());
    EXPECT_EQ(port.threshold, 1);
    EXPECT_EQ(state.byteRecibido(), 0xC0);
}

TEST_F(ReceiveDispatcherTest, PendingCallStartsTheAlertOnceAndOneBalloonOnlyWhenNotInFront)
{
    connect();
    front = false;
    port.poll(exchange::frame({{3, 4}}));
    EXPECT_TRUE(alertOn);
    port.poll(exchange::frame({{3, 4}}));
    port.poll(exchange::frame({{21, 6}})); // still a call pending, now on a line
    port.poll();
    EXPECT_FALSE(alertOn);
    port.poll(exchange::frame({{22, 7}})); // a new call: a new balloon
    port.poll();
    front = true;
    port.poll(exchange::frame({{0, 4}})); // in front: the alert alone
    EXPECT_EQ(asked,
        (QStringList{"alert", "balloon Llamada pendiente", "unballoon", "alert", "balloon Llamada pendiente",
            "unballoon", "alert"}));
}

TEST_F(ReceiveDispatcherTest, OnlyWholeMessagesRestartTheWatchdog)
{
    configuration.numeroPuerto = 1; // stored: closing asks nothing
    clock.advanceMs(300 + 2900);
    port.deliver(exchange::identity()); // restarts the 3000 ms
    clock.advanceMs(2900);
    port.deliver(exchange::numberingTable().left(300)); // part of a block: no notification
    clock.advanceUs(100'000 - 1);
    EXPECT_TRUE(messages.log.isEmpty());
    clock.advanceUs(1);
    EXPECT_EQ(messages.log, (QStringList{"beep", NoConnection}));
}

TEST_F(ReceiveDispatcherTest, LineEventsOnlyMakeSureTheWatchdogRuns)
{
    connect();
    timer3->setEnabled(false);
    port.events.clear();
    port.lineEvent();
    EXPECT_TRUE(timer3->enabled());
    EXPECT_TRUE(port.events.empty());
}

TEST_F(ReceiveDispatcherTest, EveryFrameReachesTheCallJournalAlsoAcrossARestartedPolling)
{
    journalClock.follows = &clock;
    connect();
    port.poll(exchange::frame({{20, 6}}));
    clock.advanceMs(10000); // silence: the polling is started again
    EXPECT_EQ(port.takeWritten(), oneByte(protocol::IniciaSondeo));
    port.poll(exchange::frame({{20, 6}}));
    port.poll(exchange::frame({{20, 2}}));
    ASSERT_EQ(journalStore.entries.size(), 1u);
    EXPECT_EQ(journalStore.entries[0].origin, "L2");
    EXPECT_EQ(journalStore.entries[0].waitedSeconds, 10);
    EXPECT_EQ(journalStore.entries[0].outcome, CallOutcome::Atendida);
}
