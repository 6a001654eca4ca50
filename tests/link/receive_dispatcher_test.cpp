#include "link_fixture.h"

using ReceiveDispatcherTest = LinkTest;

// The conversation itself (polls, frames, bursts, the alert) is tested end to
// end against the simulated exchange; these are the rules it cannot reach.
TEST_F(ReceiveDispatcherTest, HandshakeTakesEachWholeBlockInTurnAndEnablesTheDirectoryAtItsEnd)
{
    clock.advanceMs(300);
    port.deliver(exchange::Identity.left(9));
    EXPECT_EQ(port.takeWritten(), QByteArray("D")); // short reply: no notification
    port.deliver("4");
    QByteArray table = exchange::NumberingTable;
    table[4 * 18 + 1] = 0x55; // the record of the last slot
    table[4 * 18 + 2] = 19;
    port.deliver(table);
    EXPECT_EQ(port.takeWritten(), QByteArray("BC"));
    EXPECT_EQ(session.state().extensionNumber(19), "55");
    EXPECT_FALSE(session.panel().directoryEnabled());
    port.deliver(exchange::DirectoryBlock);
    EXPECT_EQ(port.takeWritten(), oneByte(wire::StartPolling));
    EXPECT_TRUE(session.panel().directoryEnabled());
}

TEST_F(ReceiveDispatcherTest, OnlyWholeMessagesRestartTheWatchdog)
{
    configuration.portNumber = 1; // stored: closing asks nothing
    clock.advanceMs(300 + 2900);
    port.deliver(exchange::Identity); // restarts the 3000 ms
    clock.advanceMs(2900);
    port.deliver(exchange::NumberingTable.left(300)); // part of a block: no notification
    clock.advanceUs(100'000 - 1);
    EXPECT_TRUE(messages.log.isEmpty());
    clock.advanceUs(1);
    EXPECT_EQ(messages.log, (QStringList{"beep", NoConnection}));
}
