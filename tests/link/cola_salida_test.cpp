#include "link/cola_salida.h"
#include "link/protocol.h"

#include <gtest/gtest.h>

TEST(ColaSalida, AnswersPollsInQueuedOrderThenNoCommand)
{
    ColaSalida cola;
    EXPECT_EQ(cola.answerPoll(), protocol::SinComando);
    ASSERT_TRUE(cola.queue(0x21));
    ASSERT_TRUE(cola.queue(0x80));
    ASSERT_TRUE(cola.queue(0x05));
    EXPECT_EQ(cola.answerPoll(), 0x21);
    EXPECT_EQ(cola.at(0), 0x80);
    EXPECT_EQ(cola.answerPoll(), 0x80);
    EXPECT_EQ(cola.answerPoll(), 0x05);
    EXPECT_EQ(cola.answerPoll(), protocol::SinComando);
}

TEST(ColaSalida, EleventhCommandIsDroppedAndTheTenStillLeaveInOrder)
{
    ColaSalida cola;
    for (unsigned char c = 1; c <= 10; ++c)
        ASSERT_TRUE(cola.queue(c));
    EXPECT_TRUE(cola.full());
    EXPECT_FALSE(cola.queue(0x11));
    for (unsigned char c = 1; c <= 10; ++c)
        EXPECT_EQ(cola.answerPoll(), c);
    EXPECT_EQ(cola.answerPoll(), protocol::SinComando);
    // After draining, the last place is free again.
    EXPECT_FALSE(cola.full());
}

TEST(ColaSalida, EndConnectionReplacesOnlyTheHead)
{
    ColaSalida cola;
    cola.queue(0x21);
    cola.queue(0x80);
    cola.endConnection();
    cola.endConnection();
    EXPECT_EQ(cola.at(0), protocol::FinConexion);
    EXPECT_EQ(cola.at(1), 0x80);
    EXPECT_EQ(cola.answerPoll(), protocol::FinConexion);

    ColaSalida empty;
    empty.endConnection();
    EXPECT_EQ(empty.at(1), 0);
    EXPECT_EQ(empty.answerPoll(), protocol::FinConexion);
}

TEST(ColaSalida, FreedPlaceIsTakenByTheNextCommand)
{
    ColaSalida cola;
    for (unsigned char c = 1; c <= 10; ++c)
        cola.queue(c);
    cola.answerPoll();
    ASSERT_TRUE(cola.queue(0x26));
    EXPECT_EQ(cola.at(9), 0x26);
}

TEST(Protocol, CommandByteMakers)
{
    EXPECT_EQ(protocol::SeleccionInterno(19), 0x13);
    EXPECT_EQ(protocol::SeleccionLinea(1), 0x21);
    EXPECT_EQ(protocol::SeleccionLinea(6), 0x26);
    EXPECT_EQ(protocol::MarcaMemoria(1), 0x91);
    EXPECT_EQ(protocol::MarcaMemoria(74), 0xDA);
    EXPECT_EQ(protocol::DirectoryDataLength, 592);
}
