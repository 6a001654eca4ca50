#include "link/command_queue.h"
#include "wire/commands.h"

#include <gtest/gtest.h>

TEST(CommandQueue, TenCommandsLeaveInOrderTheEleventhIsDroppedAndAFreedPlaceIsReused)
{
    CommandQueue queue;
    EXPECT_EQ(queue.answerPoll(), wire::NoCommand);
    for (unsigned char c = 1; c <= 10; ++c)
        ASSERT_TRUE(queue.queue(c));
    EXPECT_FALSE(queue.queue(0x11));
    EXPECT_EQ(queue.answerPoll(), 1);
    ASSERT_TRUE(queue.queue(0x26));
    for (unsigned char c = 2; c <= 10; ++c)
        EXPECT_EQ(queue.answerPoll(), c);
    EXPECT_EQ(queue.answerPoll(), 0x26);
    EXPECT_EQ(queue.answerPoll(), wire::NoCommand);
}

TEST(CommandQueue, EndConnectionReplacesOnlyTheHead)
{
    CommandQueue queue;
    queue.queue(0x21);
    queue.queue(0x80);
    queue.endConnection();
    queue.endConnection();
    EXPECT_EQ(queue.answerPoll(), wire::EndConnection);
    EXPECT_EQ(queue.answerPoll(), 0x80);

    CommandQueue empty;
    empty.endConnection();
    EXPECT_EQ(empty.answerPoll(), wire::EndConnection);
    EXPECT_EQ(empty.answerPoll(), wire::NoCommand);
}
