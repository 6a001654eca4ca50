#include "link/cola_salida.h"
#include "link/protocol.h"

#include <gtest/gtest.h>

TEST(ColaSalida, TenCommandsLeaveInOrderTheEleventhIsDroppedAndAFreedPlaceIsReused)
{
    ColaSalida cola;
    EXPECT_EQ(cola.answerPoll(), protocol::SinComando);
    for (unsigned char c = 1; c <= 10; ++c)
        ASSERT_TRUE(cola.queue(c));
    EXPECT_FALSE(cola.queue(0x11));
    EXPECT_EQ(cola.answerPoll(), 1);
    ASSERT_TRUE(cola.queue(0x26));
    for (unsigned char c = 2; c <= 10; ++c)
        EXPECT_EQ(cola.answerPoll(), c);
    EXPECT_EQ(cola.answerPoll(), 0x26);
    EXPECT_EQ(cola.answerPoll(), protocol::SinComando);
}

TEST(ColaSalida, EndConnectionReplacesOnlyTheHead)
{
    ColaSalida cola;
    cola.queue(0x21);
    cola.queue(0x80);
    cola.endConnection();
    cola.endConnection();
    EXPECT_EQ(cola.answerPoll(), protocol::FinConexion);
    EXPECT_EQ(cola.answerPoll(), 0x80);

    ColaSalida empty;
    empty.endConnection();
    EXPECT_EQ(empty.answerPoll(), protocol::FinConexion);
    EXPECT_EQ(empty.answerPoll(), protocol::SinComando);
}
