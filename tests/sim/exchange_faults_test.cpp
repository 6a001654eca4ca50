#include "wire.h"

#include "link/protocol.h"
#include "sim/seeded_random.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::int64_t Second = Wire::Second;
const QByteArray Poll(1, char(protocol::Sondeo));

Wire withFaults(const Faults& faults, bool paced = false)
{
    ExchangeOptions options = paced ? Wire::quietOptions() : Wire::fastOptions();
    options.faults = faults;
    return Wire(options);
}

// Every request answered as the console does; returns what came after each.
std::vector<int> handshakeLengths(Wire& wire)
{
    std::vector<int> lengths;
    const std::pair<unsigned char, int> steps[] = {{0x44, 10}, {0x42, 512}, {0x43, 2048}};
    for (auto [request, length] : steps) {
        wire.send(request);
        lengths.push_back(int(wire.expect(length + 1, 10 * Second).size()));
    }
    return lengths;
}

struct SilenceCase {
    const char* name;
    Faults::Stage stage;
    int after;
    std::vector<int> lengths;
};

TEST(ExchangeFaults, SilenceFromAGivenMomentLastsForGood)
{
    const SilenceCase cases[] = {
        {"before the identity", Faults::Stage::BeforeIdentity, 0, {0, 0, 0}},
        {"inside the table", Faults::Stage::InTable, 100, {10, 100, 0}},
        {"inside the block", Faults::Stage::InBlock, 1500, {10, 512, 1500}},
    };
    for (const SilenceCase& c : cases) {
        Faults faults;
        faults.silentFrom = c.stage;
        faults.silentAfter = c.after;
        Wire wire = withFaults(faults);
        EXPECT_EQ(handshakeLengths(wire), c.lengths) << c.name;
        wire.send(protocol::IniciaSondeo);
        wire.send(protocol::PideIdentidad);
        EXPECT_EQ(wire.expect(1, 60 * Second), QByteArray()) << c.name;
    }
}

TEST(ExchangeFaults, SilenceInPollingComesAfterTheGivenFramesAndIgnoresRestarts)
{
    Faults faults;
    faults.silentFrom = Faults::Stage::InPolling;
    faults.silentAfter = 3;
    Wire wire = withFaults(faults);
    wire.handshake();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(wire.cycle().size(), protocol::StatusFrameLength) << "frame " << i;
    EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray());
    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray());
}

TEST(ExchangeFaults, PollingPausedOnDemandResumesOnTheConsolesRestart)
{
    Wire wire(Wire::fastOptions());
    wire.handshake();
    ASSERT_EQ(wire.cycle().size(), 25);
    wire.exchange.pausePolling();
    EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray());
    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.cycle().size(), 25);
    wire.exchange.fallSilent();
    wire.send(protocol::IniciaSondeo);
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray());
}

TEST(ExchangeFaults, SlowLateAndShortBlocks)
{
    Faults slow;
    slow.block.byteUs = 2000;
    Faults late;
    late.block.delayMs = 1000;
    Faults shortBlock;
    shortBlock.block.length = 2000;
    shortBlock.table.length = 500;
    struct Case {
        const char* name;
        Faults faults;
        int tableLength;
        int blockLength;
        std::int64_t blockDoneUs; // after the request
    };
    const Case cases[] = {
        {"slow", slow, 512, 2048, 2048 * 2000},
        {"late", late, 512, 2048, 1'000'000 + 2'133'334},
        {"short", shortBlock, 500, 2000, 2'083'334},
    };
    for (const Case& c : cases) {
        Wire wire = withFaults(c.faults, true);
        wire.send(protocol::PideIdentidad);
        wire.expect(10);
        wire.send(protocol::PideTablaInternos);
        EXPECT_EQ(wire.expect(513).size(), c.tableLength) << c.name;
        wire.send(protocol::PideMemorias);
        const std::int64_t asked = wire.now;
        EXPECT_EQ(wire.expect(2049, 20 * Second).size(), c.blockLength) << c.name;
        EXPECT_NEAR(double(wire.received.back().timeUs - asked), double(c.blockDoneUs), 1.0) << c.name;
    }
}

TEST(ExchangeFaults, GarbageBytesComeBetweenAFrameAndTheNextPoll)
{
    Faults faults;
    faults.garbageEvery = 2;
    faults.garbageByte = 0x33;
    Wire wire = withFaults(faults, true);
    wire.handshake();
    ASSERT_EQ(wire.expect(1), Poll);
    std::vector<QByteArray> betweenPolls;
    for (int i = 0; i < 4; ++i) {
        wire.send(protocol::SinComando);
        ASSERT_EQ(wire.expect(25).size(), 25);
        betweenPolls.push_back(wire.expectPoll());
    }
    const std::vector<QByteArray> expected = {Poll, QByteArray("\x33") + Poll, Poll, QByteArray("\x33") + Poll};
    EXPECT_EQ(betweenPolls, expected);
}

TEST(ExchangeFaults, ASplitIdentityReplyComesInTwoPartsWithAGap)
{
    Faults faults;
    faults.identitySplitAt = 4;
    faults.identitySplitGapMs = 500;
    Wire wire = withFaults(faults);
    wire.send(protocol::PideIdentidad);
    ASSERT_EQ(wire.expect(10, Second), QByteArray("IDR9030412"));
    EXPECT_EQ(wire.received[3].timeUs, 0);
    EXPECT_EQ(wire.received[4].timeUs, 500'000);
    EXPECT_EQ(wire.received[9].timeUs, 500'000);
}

TEST(ExchangeFaults, AnIdentityReplyCoalescedWithTheTableAndTheRequestIgnored)
{
    Faults faults;
    faults.identityWithTable = true;
    Wire wire = withFaults(faults);
    wire.send(protocol::PideIdentidad);
    EXPECT_EQ(wire.bytes(0, wire.received.size()), QByteArray("IDR9030412") + ExchangePlan::builtIn().numberingTable());
    wire.send(protocol::PideTablaInternos);
    EXPECT_EQ(wire.received.size(), 522u);
    wire.send(protocol::PideMemorias);
    EXPECT_EQ(wire.received.size(), 522u + 2048u);
}

TEST(ExchangeScript, FramesPlayInOrderAndTheLastRepeats)
{
    const QByteArray first(25, char(1));
    const QByteArray second(25, char(0));
    ExchangeOptions options = Wire::fastOptions();
    options.script = {ScriptStep::frame(first), ScriptStep::garbage(0x77), ScriptStep::frame(second)};
    Wire wire(options);
    wire.handshake();
    EXPECT_EQ(wire.cycle(), first);
    EXPECT_EQ(wire.expect(1), QByteArray("\x77"));
    EXPECT_EQ(wire.cycle(protocol::SeleccionInterno(3)), second);
    EXPECT_EQ(wire.cycle(), second);
}

TEST(ExchangeScript, APauseStopsPollingUntilTheConsoleRestartsIt)
{
    ExchangeOptions options = Wire::fastOptions();
    options.script = {ScriptStep::frame(QByteArray(25, char(0))), ScriptStep::pause()};
    Wire wire(options);
    wire.handshake();
    ASSERT_EQ(wire.cycle().size(), 25);
    EXPECT_EQ(wire.expect(1, 30 * Second), QByteArray());
    wire.send(protocol::IniciaSondeo);
    EXPECT_EQ(wire.cycle(), QByteArray(25, char(0)));
}

TEST(ExchangeScript, StepsCanBeAddedWhilePolling)
{
    Wire wire(Wire::fastOptions());
    wire.handshake();
    const QByteArray live = wire.cycle();
    ASSERT_EQ(live.size(), 25);
    const QByteArray scripted(25, char(6));
    wire.exchange.appendScript({ScriptStep::frame(scripted)});
    EXPECT_EQ(wire.cycle(), scripted);
}

// Whatever the console sends, in every phase, the exchange keeps working:
// a fresh identity request still gets the identity reply.
TEST(ExchangeRobustness, GarbageFromTheConsoleNeitherCrashesNorHangs)
{
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        ExchangeOptions options;
        options.seed = seed;
        options.pollPeriodMs = 0;
        Wire wire(options);
        SeededRandom random(seed);
        for (int i = 0; i < 20'000; ++i) {
            wire.runFor(random.between(0, 3000));
            const int byte = random.between(0, 255);
            if (byte != protocol::PideIdentidad)
                wire.send(static_cast<unsigned char>(byte));
        }
        ASSERT_LT(wire.received.size(), 2'000'000u) << "seed " << seed;
        wire.send(protocol::FinConexion);
        wire.skipArrived();
        wire.send(protocol::PideIdentidad);
        EXPECT_EQ(wire.expect(10), QByteArray("IDR9030412")) << "seed " << seed;
    }
}

} // namespace
