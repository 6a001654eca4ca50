#include "wire.h"

#include "sim/script_text.h"
#include "sim/seeded_random.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::int64_t Second = Wire::Second;
const QByteArray Poll(1, char(protocol::Sondeo));

TEST(ExchangeFaults, SilenceFromAGivenMomentLastsForGood)
{
    const std::pair<const char*, std::vector<qsizetype>> cases[] = {
        // what came after the identity, table and block requests, and how many frames
        {"identity", {0, 0, 0, 0}},
        {"table:100", {10, 100, 0, 0}},
        {"block:1500", {10, 512, 1500, 0}},
        {"polling:3", {10, 512, 2048, 3}},
    };
    for (const auto& [stage, expected] : cases) {
        SCOPED_TRACE(stage);
        Wire wire(QStringLiteral("--fast --silent-from ") + stage);
        std::vector<qsizetype> lengths = wire.handshake();
        lengths.push_back(0);
        while (lengths.back() < 5 && wire.cycle().size() == protocol::StatusFrameLength)
            ++lengths.back();
        EXPECT_EQ(lengths, expected);
        wire.send(protocol::IniciaSondeo);
        wire.send(protocol::PideIdentidad);
        EXPECT_EQ(wire.expect(1, 60 * Second), QByteArray());
    }
}

TEST(ExchangeFaults, PollingPausedOnDemandOrByTheScriptResumesOnTheConsolesRestart)
{
    for (bool scripted : {false, true}) {
        ExchangeOptions options = Wire::options("--fast");
        if (scripted)
            options.script = parseScript("frame " + QByteArray(25, char(3)).toHex() + "\npause", nullptr).value();
        Wire wire(options);
        wire.handshake();
        const QByteArray before = wire.cycle();
        ASSERT_EQ(before.size(), 25);
        if (!scripted)
            wire.exchange.pausePolling();
        EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray()) << scripted;
        wire.send(protocol::IniciaSondeo);
        EXPECT_EQ(wire.cycle(), before) << scripted;
    }
}

TEST(ExchangeFaults, SlowLateAndShortBlocks)
{
    struct Case {
        const char* faults;
        std::vector<qsizetype> lengths;
        std::int64_t blockDoneUs; // after the request
    };
    const Case cases[] = {
        {"--block-byte-us 2000", {10, 512, 2048}, 2048 * 2000},
        {"--block-delay 1000", {10, 512, 2048}, 1'000'000 + 2'133'334},
        {"--short-table 500 --short-block 2000", {10, 500, 2000}, 2'083'334},
    };
    for (const Case& c : cases) {
        Wire wire(c.faults);
        EXPECT_EQ(wire.handshake(), c.lengths) << c.faults;
        const std::int64_t asked = wire.received[10 + c.lengths[1] - 1].timeUs; // the table's last byte
        EXPECT_NEAR(double(wire.lastReadUs() - asked), double(c.blockDoneUs), 1.0) << c.faults;
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

TEST(ExchangeFaults, AnIdentityReplySplitWithAGapOrCoalescedWithTheTable)
{
    Wire split("--fast --split-identity 4:500");
    split.send(protocol::PideIdentidad);
    ASSERT_EQ(split.expect(10, Second), QByteArray("IDR9030412"));
    EXPECT_EQ(split.received[3].timeUs, 0);
    EXPECT_EQ(split.received[4].timeUs, 500'000);
    EXPECT_EQ(split.received[9].timeUs, 500'000);

    Wire coalesced("--fast --identity-with-table");
    coalesced.send(protocol::PideIdentidad);
    EXPECT_EQ(coalesced.expect(600), QByteArray("IDR9030412") + ExchangePlan::builtIn().numberingTable());
    coalesced.send(protocol::PideTablaInternos);
    EXPECT_EQ(coalesced.received.size(), 522u) << "the table request is ignored";
    coalesced.send(protocol::PideMemorias);
    EXPECT_EQ(coalesced.received.size(), 522u + 2048u);
}

TEST(ExchangeScript, FramesPlayInOrderTheLastRepeatsAndMoreCanBeAdded)
{
    const QByteArray first(25, char(1));
    const QByteArray second(25, char(0x80));
    ExchangeOptions options = Wire::options("--fast");
    const QByteArray text = "frame " + first.toHex(' ') + "\ngarbage 77\nframe " + second.toHex();
    options.script = parseScript(text, nullptr).value(); // the simulator's text form
    Wire wire(options);
    wire.handshake();
    EXPECT_EQ(wire.cycle(), first);
    EXPECT_EQ(wire.expect(1), QByteArray("\x77"));
    EXPECT_EQ(wire.cycle(protocol::SeleccionInterno(3)), second);
    EXPECT_EQ(wire.cycle(), second);
    wire.exchange.appendScript({ScriptStep::frame(first)});
    EXPECT_EQ(wire.cycle(), first);
}

// Whatever the console sends, in every phase, the exchange keeps working: a
// fresh identity request still gets the identity reply, and the record of the
// console's bytes keeps the recent ones in bounded memory.
TEST(ExchangeRobustness, GarbageFromTheConsoleNeitherCrashesNorHangs)
{
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        ExchangeOptions options;
        options.seed = seed;
        options.pollPeriodMs = 0;
        Wire wire(options);
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
        EXPECT_EQ(wire.expect(10), QByteArray("IDR9030412"));
        const std::vector<ConsoleByte>& recorded = wire.exchange.consoleBytes();
        EXPECT_GE(recorded.size(), Exchange::ConsoleBytesKept);
        EXPECT_LE(recorded.size(), 2 * Exchange::ConsoleBytesKept);
        EXPECT_EQ(recorded.back().byte, protocol::PideIdentidad);
        EXPECT_GT(recorded.front().timeUs, wire.now / 4) << "the oldest bytes go first";
    }
}

} // namespace
