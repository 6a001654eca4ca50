#include "wire.h"

#include "sim/script_text.h"
#include "sim/seeded_random.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::int64_t Second = Wire::Second;
constexpr double ByteUs = 1e7 / 9600; // 10 bits at 9600 bit/s
const QByteArray Poll(1, char(protocol::Sondeo));
const QByteArray Identity("IDR9030412");

// The identity's model and serial number are padded to four characters.
TEST(ExchangeConversation, AnswersEachRequestAtTheLinesPaceAndPollsAtItsPeriod)
{
    Wire wire("--model X903 --serial 77");
    const QByteArray identity("IDX90377  ");
    wire.runFor(30 * Second);
    EXPECT_TRUE(wire.received.empty()) << "the exchange spoke before being asked";

    // The 2048-byte block takes 2.133 s, well inside the console's 3 s.
    const ExchangePlan plan = ExchangePlan::builtIn();
    const std::pair<unsigned char, QByteArray> requests[] = {{protocol::PideIdentidad, identity},
        {protocol::PideTablaInternos, plan.numberingTable()}, {protocol::PideMemorias, plan.directoryBlock()}};
    for (const auto& [request, reply] : requests) {
        const std::int64_t asked = wire.now;
        wire.send(request);
        EXPECT_EQ(wire.expect(int(reply.size()) + 1), reply) << int(request);
        EXPECT_NEAR(double(wire.lastReadUs() - asked), double(reply.size()) * ByteUs, 1.0) << int(request);
    }

    // Unanswered, a poll is repeated after a second; answered, the frame
    // follows at the line's pace and the next poll comes one period after it.
    wire.send(protocol::IniciaSondeo);
    ASSERT_EQ(wire.expect(1), Poll);
    const std::int64_t unanswered = wire.lastReadUs();
    ASSERT_EQ(wire.expect(1, 2 * Second), Poll);
    EXPECT_NEAR(double(wire.lastReadUs() - unanswered), double(Exchange::AnswerTimeoutUs) + ByteUs, 1.0);
    for (int answered = 0; answered < 3; ++answered) {
        const std::int64_t polled = wire.lastReadUs();
        wire.runFor(3000);
        wire.send(protocol::SinComando);
        wire.send(protocol::SinComando); // a second byte is not a second answer
        EXPECT_EQ(wire.expect(26, 100'000).size(), protocol::StatusFrameLength);
        EXPECT_NEAR(double(wire.lastReadUs() - polled), 3000 + 25 * ByteUs, 1.0);
        ASSERT_EQ(wire.expect(1), Poll);
        EXPECT_EQ(wire.lastReadUs() - polled, 200'000);
    }

    // 0xC0 restarts polling at once; 0x8F silences the exchange until the next identity request.
    wire.send(protocol::IniciaSondeo);
    ASSERT_EQ(wire.expect(1), Poll);
    wire.send(protocol::FinConexion);
    for (unsigned char request : {protocol::IniciaSondeo, protocol::PideTablaInternos})
        wire.send(request);
    EXPECT_EQ(wire.expect(1, 60 * Second), QByteArray());

    // A new identity request drops what was not sent yet.
    wire.send(protocol::PideIdentidad);
    ASSERT_EQ(wire.expect(10), identity);
    wire.send(protocol::PideTablaInternos);
    wire.runFor(100'000);
    EXPECT_EQ(wire.expect(512, 0).size(), 96) << "100 ms of the table";
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(11), identity) << "the rest of the table still came";
}

// Unpaced, every byte is due the moment it is sent: replies that come late,
// slow, split, early, short or not at all; silence lasts for good.
TEST(ExchangeFaults, EachFaultModeShapesTheHandshake)
{
    struct Case {
        const char* options;
        std::vector<qsizetype> lengths; // after the identity, table and block requests
        std::int64_t lastByteUs; // all of them asked at time 0
        bool silent;
    };
    const Case cases[] = {
        {"--block-byte-us 2000", {10, 512, 2048}, 2048 * 2000, false},
        {"--block-delay 1000", {10, 512, 2048}, 1'000'000, false},
        {"--short-table 500 --short-block 2000", {10, 500, 2000}, 0, false},
        {"--split-identity 4:500", {10, 512, 2048}, 500'000, false},
        {"--identity-with-table", {11, 511, 2048}, 0, false}, // the table's request is ignored
        {"--silent-from table:100", {10, 100, 0}, 0, true},
        {"--silent-from block:1500", {10, 512, 1500}, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        Wire wire(QStringLiteral("--fast ") + c.options);
        EXPECT_EQ(wire.handshake(), c.lengths);
        EXPECT_EQ(wire.lastReadUs(), c.lastByteUs);
        wire.skipArrived();
        wire.send(protocol::PideIdentidad);
        EXPECT_EQ(wire.expect(10, 60 * Second).isEmpty(), c.silent);
    }
}

TEST(ExchangeFaults, GarbageBytesComeBetweenAFrameAndTheNextPoll)
{
    Wire wire("--garbage-every 2 --garbage-byte 33");
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    for (const QByteArray& betweenPolls : {Poll, "\x33" + Poll, Poll, "\x33" + Poll}) {
        wire.send(protocol::SinComando);
        ASSERT_EQ(wire.expect(25).size(), 25);
        EXPECT_EQ(wire.expect(int(betweenPolls.size())), betweenPolls);
    }
}

// Frames play one per poll with the garbage and pauses between them; the
// last repeats, and more can be added while it runs.
TEST(ExchangeScript, FramesGarbageAndPausesPlayInOrder)
{
    const QByteArray first(25, char(1));
    const QByteArray second(25, char(0x80));
    ExchangeOptions options = Wire::options("--fast");
    const QByteArray text = "frame " + first.toHex(' ') + "\ngarbage 77\npause\nframe " + second.toHex();
    options.script = parseScript(text, nullptr).value();
    Wire wire(options);
    wire.handshake();
    EXPECT_EQ(wire.cycle(), first);
    EXPECT_EQ(wire.expect(2, 30 * Second), QByteArray("\x77")) << "polling goes on after the pause";
    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.cycle(protocol::SeleccionInterno(3)), second);
    EXPECT_EQ(wire.cycle(), second);
    wire.exchange.appendScript({ScriptStep::frame(first)});
    EXPECT_EQ(wire.cycle(), first);
    wire.exchange.pausePolling();
    EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray()) << "polling goes on when paused on demand";
}

// Whatever the console sends, in every phase, the exchange keeps working: a
// fresh identity request still gets the identity reply, and the record of the
// console's bytes keeps the recent ones in bounded memory.
TEST(ExchangeRobustness, GarbageFromTheConsoleNeitherCrashesNorHangs)
{
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        Wire wire(QStringLiteral("--poll-ms 0 --seed %1").arg(seed));
        SeededRandom random(seed);
        for (int i = 0; i < 70'000; ++i) {
            wire.runFor(random.between(0, 3000));
            if (const int byte = random.between(0, 255); byte != protocol::PideIdentidad)
                wire.send(static_cast<unsigned char>(byte));
        }
        ASSERT_LT(wire.received.size(), 7'000'000u);
        wire.send(protocol::FinConexion);
        wire.skipArrived();
        wire.send(protocol::PideIdentidad);
        EXPECT_EQ(wire.expect(10), Identity);
        const std::vector<ConsoleByte>& recorded = wire.exchange.consoleBytes();
        EXPECT_GE(recorded.size(), Exchange::ConsoleBytesKept);
        EXPECT_LE(recorded.size(), 2 * Exchange::ConsoleBytesKept);
        EXPECT_EQ(recorded.back().byte, protocol::PideIdentidad);
        EXPECT_GT(recorded.front().timeUs, wire.now / 4) << "the oldest bytes go first";
    }
}

} // namespace
