#include "wire.h"

#include "link/protocol.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::int64_t Second = Wire::Second;
const QByteArray Poll(1, char(protocol::Sondeo));

TEST(ExchangeHandshake, AnswersEachRequestOnlyAfterItAndInOrder)
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
    EXPECT_EQ(wire.expect(2049, 10 * Second), plan.directoryBlock());

    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.expect(1), Poll);
    EXPECT_EQ(wire.expect(1, Exchange::AnswerTimeoutUs - 1), QByteArray()) << "a frame came without an answer";
}

TEST(ExchangeHandshake, ModelAndSerialNumberAreConfigurable)
{
    ExchangeOptions options = Wire::fastOptions();
    options.model = "X903";
    options.serial = "77";
    Wire wire(options);
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(10), QByteArray("IDX90377  "));
}

TEST(ExchangeHandshake, ANewIdentityRequestDropsWhatWasNotSentAndStartsOver)
{
    Wire wire;
    wire.send(protocol::PideIdentidad);
    wire.expect(10);
    wire.send(protocol::PideTablaInternos);
    wire.runFor(100'000); // part of the table is on its way
    const QByteArray part = wire.expect(512, 0);
    ASSERT_GT(part.size(), 0);
    ASSERT_LT(part.size(), 512);
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(10), QByteArray("IDR9030412"));
    EXPECT_EQ(wire.expect(1, 5 * Second), QByteArray()) << "the rest of the table still came";
}

TEST(ExchangePolling, PollsAtThePeriodAndSendsOneFramePerAnswer)
{
    Wire wire;
    wire.handshake();
    std::vector<std::int64_t> polls;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(wire.expect(1), Poll);
        polls.push_back(wire.lastReadUs());
        wire.send(protocol::SinComando);
        ASSERT_EQ(wire.expect(25).size(), protocol::StatusFrameLength);
    }
    for (size_t i = 1; i < polls.size(); ++i)
        EXPECT_NEAR(double(polls[i] - polls[i - 1]), 200'000.0, 1100.0);
}

TEST(ExchangePolling, ExactlyOneAnswerByteIsAwaitedPerPoll)
{
    Wire wire(Wire::fastOptions());
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    wire.send(protocol::SinComando);
    wire.send(protocol::SinComando); // a second byte is not a second answer
    EXPECT_EQ(wire.expect(26, 100'000).size(), protocol::StatusFrameLength);
    EXPECT_EQ(wire.expect(1), Poll);
}

TEST(ExchangePolling, AnUnansweredPollIsRepeatedAfterASecond)
{
    Wire wire(Wire::fastOptions());
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    const std::int64_t first = wire.lastReadUs();
    ASSERT_EQ(wire.expect(1, 2 * Second), Poll);
    EXPECT_EQ(wire.lastReadUs() - first, Exchange::AnswerTimeoutUs);
}

TEST(ExchangePolling, ALaterStartRequestPollsAgainAtOnce)
{
    Wire wire(Wire::fastOptions());
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
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

TEST(ExchangePolling, WithoutPeriodTheNextPollFollowsTheFrameAtOnce)
{
    ExchangeOptions options = Wire::fastOptions();
    options.pollPeriodMs = 0;
    Wire wire(options);
    wire.handshake();
    ASSERT_EQ(wire.cycle().size(), protocol::StatusFrameLength);
    const std::int64_t frameTime = wire.lastReadUs();
    EXPECT_EQ(wire.expect(1), Poll);
    EXPECT_EQ(wire.lastReadUs(), frameTime);
}

TEST(ExchangePacing, BytesLeaveAtTheLineRate)
{
    Wire wire;
    wire.send(protocol::PideIdentidad);
    wire.expect(10);
    wire.send(protocol::PideTablaInternos);
    wire.expect(512);
    wire.send(protocol::PideMemorias);
    const std::int64_t asked = wire.now;
    const size_t first = wire.received.size();
    ASSERT_EQ(wire.expect(2048).size(), 2048);
    // 2048 bytes of 10 bits at 9600 bit/s: 2.133 s, well inside the console's 3 s.
    EXPECT_NEAR(double(wire.lastReadUs() - asked), 2'133'333.0, 1.0);
    for (size_t i = first + 1; i < wire.received.size(); ++i) {
        const std::int64_t gap = wire.received[i].timeUs - wire.received[i - 1].timeUs;
        ASSERT_TRUE(gap == 1041 || gap == 1042) << "gap " << gap << " at byte " << i - first;
    }
}

TEST(ExchangePacing, FastModeSendsEverythingAtOnce)
{
    Wire wire(Wire::fastOptions());
    wire.send(protocol::PideIdentidad);
    wire.send(protocol::PideTablaInternos);
    wire.send(protocol::PideMemorias);
    ASSERT_EQ(wire.received.size(), 10u + 512u + 2048u);
    EXPECT_EQ(wire.received.back().timeUs, 0);
}

TEST(ExchangePacing, AFrameTakesTheLineTimeOfItsBytes)
{
    Wire wire;
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    wire.send(protocol::SinComando);
    const std::int64_t answered = wire.now;
    ASSERT_EQ(wire.expect(25).size(), 25);
    EXPECT_NEAR(double(wire.lastReadUs() - answered), 25 * 1041.67, 1.0);
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

// Records what the exchange reports to a listener.
struct Reports : ExchangeListener {
    void consoleByte(unsigned char byte, std::int64_t timeUs) override { bytes.push_back({byte, timeUs}); }
    void handshakeDone() override { ++handshakes; }
    void pollAnswered(unsigned char answer, std::int64_t latencyUs) override { answers.push_back({answer, latencyUs}); }
    void frameSent(const QByteArray&) override { ++frames; }
    void connectionEnded() override { ++ended; }
    std::vector<ConsoleByte> bytes;
    std::vector<ConsoleByte> answers;
    int handshakes = 0;
    int frames = 0;
    int ended = 0;
};

TEST(ExchangeReports, ConsoleBytesHandshakeAnswersLatenciesAndTheEnd)
{
    Wire wire;
    Reports reports;
    wire.exchange.setListener(&reports);
    wire.handshake();
    ASSERT_EQ(wire.cycle().size(), 25);
    wire.send(protocol::IniciaSondeo); // a restart is not a second handshake
    ASSERT_EQ(wire.expect(1), Poll);
    const std::int64_t pollArrived = wire.lastReadUs();
    wire.runFor(3000);
    wire.send(protocol::Corta);
    wire.expect(25);
    ASSERT_EQ(wire.expect(1), Poll);
    wire.send(protocol::FinConexion);

    EXPECT_EQ(reports.handshakes, 1);
    EXPECT_EQ(reports.frames, 2);
    EXPECT_EQ(reports.ended, 1);
    ASSERT_EQ(reports.answers.size(), 3u);
    EXPECT_EQ(reports.answers[1], (ConsoleByte{protocol::Corta, 3000}));
    EXPECT_EQ(reports.answers[2].byte, protocol::FinConexion);
    EXPECT_EQ(reports.bytes, wire.exchange.consoleBytes());
    const std::vector<unsigned char> sent = {0x44, 0x42, 0x43, 0xC0, 0x8E, 0xC0, 0x80, 0x8F};
    ASSERT_EQ(reports.bytes.size(), sent.size());
    for (size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(reports.bytes[i].byte, sent[i]);
    EXPECT_EQ(reports.bytes[6].timeUs, pollArrived + 3000);
}

} // namespace
