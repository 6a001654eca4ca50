#include "wire.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::int64_t Second = Wire::Second;
const QByteArray Poll(1, char(protocol::Sondeo));

// Writes down what the exchange reports to a listener, in order.
struct Reports : ExchangeListener {
    void consoleByte(unsigned char byte, std::int64_t timeUs) override
    {
        bytes.push_back({byte, timeUs});
        add("%1@%2", byte, timeUs);
    }
    void handshakeDone() override { log += " handshake"; }
    void pollAnswered(unsigned char answer, std::int64_t latencyUs) override { add("answer:%1+%2", answer, latencyUs); }
    void frameSent(const QByteArray& frame) override { log += frame.size() == 25 ? " frame" : " short"; }
    void connectionEnded() override { log += " ended"; }
    void add(const char* format, unsigned char byte, std::int64_t us)
    {
        log += ' ' + QString::fromLatin1(format).arg(int(byte), 0, 16).arg(us);
    }
    QString log;
    std::vector<ConsoleByte> bytes;
};

TEST(ExchangeHandshake, AnswersEachRequestOnlyAfterItInOrderAtTheLineRate)
{
    Wire wire;
    const ExchangePlan plan = ExchangePlan::builtIn();
    wire.runFor(30 * Second);
    EXPECT_TRUE(wire.received.empty()) << "the exchange spoke before being asked";

    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(11, 5 * Second), QByteArray("IDR9030412"));
    wire.send(protocol::PideTablaInternos);
    EXPECT_EQ(wire.expect(513, 5 * Second), plan.numberingTable());
    wire.send(protocol::PideMemorias);
    const std::int64_t asked = wire.now;
    const size_t first = wire.received.size();
    EXPECT_EQ(wire.expect(2049, 10 * Second), plan.directoryBlock());
    // 2048 bytes of 10 bits at 9600 bit/s: 2.133 s, well inside the console's 3 s.
    EXPECT_NEAR(double(wire.lastReadUs() - asked), 2'133'333.0, 1.0);
    for (size_t i = first + 1; i < wire.received.size(); ++i) {
        const std::int64_t gap = wire.received[i].timeUs - wire.received[i - 1].timeUs;
        ASSERT_TRUE(gap == 1041 || gap == 1042) << "gap " << gap << " at byte " << i - first;
    }

    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.expect(1), Poll);
    EXPECT_EQ(wire.expect(1, Exchange::AnswerTimeoutUs - 1), QByteArray()) << "a frame came without an answer";
}

TEST(ExchangeHandshake, ANewIdentityRequestDropsWhatWasNotSentAndStartsOver)
{
    Wire wire("--model X903 --serial 77"); // the serial number padded to four characters
    wire.send(protocol::PideIdentidad);
    wire.expect(10);
    wire.send(protocol::PideTablaInternos);
    wire.runFor(100'000); // part of the table is on its way
    const QByteArray part = wire.expect(512, 0);
    ASSERT_GT(part.size(), 0);
    ASSERT_LT(part.size(), 512);
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(10), QByteArray("IDX90377  "));
    EXPECT_EQ(wire.expect(1, 5 * Second), QByteArray()) << "the rest of the table still came";
}

TEST(ExchangePolling, PollsAtThePeriodAndSendsOneLinePacedFramePerAnswer)
{
    Wire wire;
    Reports reports;
    wire.exchange.setListener(&reports);
    wire.handshake();
    std::vector<std::int64_t> polls;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(wire.expect(1), Poll);
        polls.push_back(wire.lastReadUs());
        wire.send(protocol::SinComando);
        wire.send(protocol::SinComando); // a second byte is not a second answer
        ASSERT_EQ(wire.expect(26, 100'000).size(), protocol::StatusFrameLength);
        EXPECT_NEAR(double(wire.lastReadUs() - polls.back()), 25 * 1041.67, 1.0);
    }
    for (size_t i = 1; i < polls.size(); ++i)
        EXPECT_NEAR(double(polls[i] - polls[i - 1]), 200'000.0, 1100.0);
    EXPECT_EQ(reports.log.count(QStringLiteral(" answer:8e+0 frame")), 5) << "latency from the poll's arrival";
}

TEST(ExchangePolling, AnUnansweredPollIsRepeatedAfterASecondOrAtOnceOnARestart)
{
    Wire wire("--fast");
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    const std::int64_t first = wire.lastReadUs();
    ASSERT_EQ(wire.expect(1, 2 * Second), Poll);
    EXPECT_EQ(wire.lastReadUs() - first, Exchange::AnswerTimeoutUs);
    wire.runFor(Second / 2);
    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.expect(1), Poll);
    EXPECT_EQ(wire.lastReadUs(), wire.now);
    EXPECT_EQ(wire.cycle().size(), protocol::StatusFrameLength);
}

TEST(ExchangePolling, EndOfConnectionSilencesTheExchangeUntilANewIdentityRequest)
{
    Wire wire;
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    wire.send(protocol::FinConexion);
    wire.send(protocol::IniciaSondeo);
    wire.send(protocol::PideTablaInternos);
    EXPECT_EQ(wire.expect(1, 60 * Second), QByteArray());
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(10), QByteArray("IDR9030412"));
}

// Without pacing every byte is due the moment it is sent; without a poll
// period the next poll follows each frame at once.
TEST(ExchangePacing, UnpacedAndWithoutPeriodEverythingLeavesAtOnce)
{
    Wire wire("--fast --poll-ms 0");
    for (unsigned char request : {protocol::PideIdentidad, protocol::PideTablaInternos, protocol::PideMemorias,
             protocol::IniciaSondeo, protocol::SinComando})
        wire.send(request);
    ASSERT_EQ(wire.received.size(), 10u + 512u + 2048u + 1u + 25u + 1u) << "identity to the second poll";
    EXPECT_EQ(wire.received.back().timeUs, 0);
}

TEST(ExchangePacing, ATransportMayTakeBytesAShortWhileEarly)
{
    Wire wire;
    wire.exchange.receive(protocol::PideIdentidad, 0);
    EXPECT_LE(*wire.exchange.nextWakeUs(10'000), 0);
    EXPECT_EQ(wire.exchange.takeOutput(10'000), QByteArray("IDR903041")) << "the tenth byte is due at 10.4 ms";
    EXPECT_EQ(*wire.exchange.nextWakeUs(10'000), 10'417 - 10'000);
    EXPECT_EQ(*wire.exchange.nextWakeUs(), 10'417);
}

TEST(ExchangeReports, ConsoleBytesHandshakeAnswersLatenciesAndTheEnd)
{
    Wire wire("--fast");
    Reports reports;
    wire.exchange.setListener(&reports);
    wire.handshake();
    ASSERT_EQ(wire.cycle().size(), 25);
    wire.send(protocol::IniciaSondeo); // a restart is not a second handshake
    ASSERT_EQ(wire.expect(1), Poll);
    wire.runFor(3000);
    wire.send(protocol::Corta);
    wire.expect(25);
    ASSERT_EQ(wire.expect(1), Poll);
    wire.send(protocol::FinConexion);
    EXPECT_EQ(reports.log,
        " 44@0 42@0 43@0 c0@0 handshake 8e@0 answer:8e+0 frame c0@0 80@3000 answer:80+3000 frame"
        " 8f@200000 answer:8f+0 ended");
    EXPECT_EQ(wire.exchange.consoleBytes(), reports.bytes);
}

} // namespace
