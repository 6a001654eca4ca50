#include "link_fixture.h"

using ReceiveDispatcherTest = LinkTest;

TEST_F(ReceiveDispatcherTest, HandshakeRequestsEachBlockInTurnAndStartsPolling)
{
    clock.advanceMs(300);
    EXPECT_EQ(port.takeWritten(), QByteArray("D"));
    port.deliver(identity("R9031234").left(9));
    EXPECT_TRUE(port.takeWritten().isEmpty()); // short reply: no notification
    port.deliver("4");
    EXPECT_EQ(port.takeWritten(), QByteArray("B"));
    EXPECT_EQ(panel.caption(), "QUINDORA R903 - Serie 1234 - V1.00");
    EXPECT_EQ(port.threshold, 512);

    port.deliver(plainNumberingTable());
    EXPECT_EQ(port.takeWritten(), QByteArray("C"));
    EXPECT_EQ(port.threshold, 2048);
    EXPECT_EQ(timer3->interval(), 3000);
    EXPECT_FALSE(panel.agendaEnabled());

    port.deliver(directoryBlock());
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(0xC0)));
    EXPECT_EQ(port.threshold, 1);
    EXPECT_EQ(timer3->interval(), 10000);
    EXPECT_TRUE(timer3->running());
    EXPECT_TRUE(panel.agendaEnabled());
    EXPECT_TRUE(port.input.isEmpty());
}

TEST_F(ReceiveDispatcherTest, NumberingTableNumbersEighteenLabelsAndLeavesVirtual)
{
    clock.advanceMs(300);
    port.deliver(identity("R9031234"));
    QByteArray table = plainNumberingTable();
    table[4 * 6 + 2] = 0; // no record for slot 7
    table[4 * 18 + 1] = 0x55;
    port.deliver(table);
    EXPECT_EQ(panel.numberLabel(0).caption, "11");
    EXPECT_EQ(panel.numberLabel(9).caption, "20");
    EXPECT_EQ(panel.numberLabel(6).caption, "---");
    EXPECT_EQ(panel.numberLabel(17).caption, "28");
    EXPECT_EQ(panel.numberLabel(18).caption, "Virtual");
    EXPECT_EQ(state.numeroInterno(19), "55");
    EXPECT_EQ(state.numeroInterno(7), "---");
}

TEST_F(ReceiveDispatcherTest, DirectoryBlockKeepsItsLast592Bytes)
{
    connect();
    for (int i = 0; i < protocol::DirectoryDataLength; ++i)
        ASSERT_EQ(memorias[i], std::uint8_t(i & 0xFF)) << i;
}

TEST_F(ReceiveDispatcherTest, PollsAreAnsweredFromTheQueueWithThresholdOffWhileWriting)
{
    connect();
    cola.queue(0x21);
    cola.queue(protocol::Corta);
    port.events.clear();
    port.deliver(QByteArray(1, char(protocol::Sondeo)));
    EXPECT_EQ(port.events, (std::vector<std::string>{"threshold 0", "write 21", "threshold 25"}));
    EXPECT_EQ(cola.at(0), protocol::Corta);

    port.deliver(frame({}));
    EXPECT_EQ(port.threshold, 1);
    EXPECT_EQ(pollWithFrame(frame({})), QByteArray(1, char(protocol::Corta)));
    EXPECT_EQ(pollWithFrame(frame({})), QByteArray(1, char(protocol::SinComando)));
}

TEST_F(ReceiveDispatcherTest, PollAndFrameArrivingTogetherAreBothHandled)
{
    connect();
    port.deliver(QByteArray(1, char(protocol::Sondeo)) + frame({{3, 1}}) + QByteArray(1, char(protocol::Sondeo)));
    EXPECT_EQ(port.takeWritten(), QByteArray(2, char(protocol::SinComando)));
    EXPECT_EQ(panel.extension(3).colour, state.palette().ocupado);
    EXPECT_EQ(port.threshold, 25);
}

TEST_F(ReceiveDispatcherTest, OtherBytesWhilePollingGetNoAnswer)
{
    connect();
    port.deliver(QByteArray("\x00\x18\x1A\xC0", 4));
    EXPECT_TRUE(port.takeWritten().isEmpty());
    EXPECT_EQ(port.threshold, 1);
    EXPECT_EQ(state.byteRecibido(), 0xC0);
}

TEST_F(ReceiveDispatcherTest, FinConexionAsAnswerStopsListening)
{
    connect();
    cola.queue(0x05);
    cola.endConnection();
    port.deliver(QByteArray(1, char(protocol::Sondeo)));
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::FinConexion)));
    EXPECT_EQ(port.threshold, 0);
    EXPECT_EQ(timer3->interval(), 500);
    port.deliver(frame({}) + QByteArray(1, char(protocol::Sondeo)));
    EXPECT_TRUE(port.takeWritten().isEmpty());
}

TEST_F(ReceiveDispatcherTest, StatusFramePaintsThePanelAndSetsTheCommandButtons)
{
    connect();
    // Slot 19 is the console, engaged; line 2 held; slot 3 talking to it.
    pollWithFrame(frame({{18, 0xC0}, {20, 4}, {2, 2}, {8, 9}}));
    EXPECT_EQ(panel.extension(18).colour, state.palette().resaltado);
    EXPECT_EQ(panel.numberLabel(18).tooltip, "Consola");
    EXPECT_EQ(panel.numberLabel(2).tooltip, "Interno comunicado con consola");
    EXPECT_EQ(panel.lineLabel(1).tooltip, "Línea retenida por consola");
    EXPECT_TRUE(panel.numberLabel(8).tooltip.isEmpty()); // code 9 leaves the slot alone
    EXPECT_TRUE(panel.corta().visible);
    EXPECT_EQ(panel.corta().caption, "TRANSFIERE");
    EXPECT_FALSE(panel.recupera().visible);
    EXPECT_EQ(port.threshold, 1);
}

TEST_F(ReceiveDispatcherTest, PendingCallStartsTheAlertAndOneBalloonWhenNotInFront)
{
    connect();
    window.front = false;
    pollWithFrame(frame({{3, 4}}));
    EXPECT_TRUE(alert.on);
    ASSERT_EQ(balloon.shown.size(), 1u);
    EXPECT_EQ(balloon.shown[0].text, "Llamada pendiente");
    EXPECT_EQ(balloon.shown[0].title, "Quindora R903");
    EXPECT_EQ(balloon.shown[0].iconStyle, 1);
    EXPECT_EQ(balloon.shown[0].timeout, 1);

    pollWithFrame(frame({{3, 4}}));
    pollWithFrame(frame({{21, 6}})); // still a call pending, now on a line
    EXPECT_EQ(alert.starts, 1);
    EXPECT_EQ(balloon.shown.size(), 1u);
    EXPECT_EQ(balloon.removes, 0);

    pollWithFrame(frame({}));
    EXPECT_FALSE(alert.on);
    EXPECT_EQ(balloon.removes, 1);

    pollWithFrame(frame({{22, 7}})); // a new call: a new balloon
    EXPECT_EQ(alert.starts, 2);
    EXPECT_EQ(balloon.shown.size(), 2u);
}

TEST_F(ReceiveDispatcherTest, PendingCallInFrontStartsTheAlertWithoutBalloon)
{
    connect();
    window.front = true;
    pollWithFrame(frame({{0, 4}}));
    EXPECT_TRUE(alert.on);
    EXPECT_TRUE(balloon.shown.empty());
}

TEST_F(ReceiveDispatcherTest, OnlyWholeMessagesRestartTheWatchdog)
{
    configuration.numeroPuerto = 1;
    clock.advanceMs(300 + 2900);
    port.deliver(identity("R9031234")); // restarts the 3000 ms
    clock.advanceMs(2900);
    EXPECT_TRUE(messages.shown.empty());
    port.deliver(plainNumberingTable().left(300)); // part of a block: no notification
    clock.advanceMs(99);
    EXPECT_TRUE(messages.shown.empty());
    clock.advanceMs(1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "No es posible establecer conexión con R903");
}

TEST_F(ReceiveDispatcherTest, LineEventsOnlyMakeSureTheWatchdogRuns)
{
    connect();
    timer3->setEnabled(false);
    port.events.clear();
    port.lineEvent();
    EXPECT_TRUE(timer3->enabled());
    EXPECT_TRUE(port.events.empty());
    EXPECT_TRUE(port.written.isEmpty());
}
