#include "wire.h"

#include "sim/seeded_random.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

constexpr std::int64_t Second = Wire::Second;
const QByteArray Poll(1, char(protocol::Sondeo));

Wire withFaults(bool paced, const std::function<void(Faults&)>& fault)
{
    ExchangeOptions options = Wire::quiet(paced);
    fault(options.faults);
    return Wire(options);
}

TEST(ExchangeFaults, SilenceFromAGivenMomentLastsForGood)
{
    struct Case {
        Faults::Stage stage;
        int after;
        std::vector<qsizetype> lengths; // identity, table, block, frames
    };
    const Case cases[] = {
        {Faults::Stage::BeforeIdentity, 0, {0, 0, 0, 0}},
        {Faults::Stage::InTable, 100, {10, 100, 0, 0}},
        {Faults::Stage::InBlock, 1500, {10, 512, 1500, 0}},
        {Faults::Stage::InPolling, 3, {10, 512, 2048, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.stage));
        Wire wire = withFaults(false, [&c](Faults& f) {
            f.silentFrom = c.stage;
            f.silentAfter = c.after;
        });
        std::vector<qsizetype> lengths = wire.handshake();
        lengths.push_back(0);
        while (lengths.back() < 5 && wire.cycle().size() == protocol::StatusFrameLength)
            ++lengths.back();
        EXPECT_EQ(lengths, c.lengths);
        wire.send(protocol::IniciaSondeo);
        wire.send(protocol::PideIdentidad);
        EXPECT_EQ(wire.expect(1, 60 * Second), QByteArray());
    }
}

TEST(ExchangeFaults, PollingPausedOnDemandOrByTheScriptResumesOnTheConsolesRestart)
{
    for (bool scripted : {false, true}) {
        ExchangeOptions options = Wire::quiet(false);
        if (scripted)
            options.script = {ScriptStep::frame(QByteArray(25, char(3))), ScriptStep::pause()};
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
        const char* name;
        std::function<void(Faults&)> fault;
        qsizetype tableLength;
        qsizetype blockLength;
        std::int64_t blockDoneUs; // after the request
    };
    const Case cases[] = {
        {"slow", [](Faults& f) { f.block.byteUs = 2000; }, 512, 2048, 2048 * 2000},
        {"late", [](Faults& f) { f.block.delayMs = 1000; }, 512, 2048, 1'000'000 + 2'133'334},
        {"short",
            [](Faults& f) {
                f.table.length = 500;
                f.block.length = 2000;
            },
            500, 2000, 2'083'334},
    };
    for (const Case& c : cases) {
        Wire wire = withFaults(true, c.fault);
        EXPECT_EQ(wire.handshake(), (std::vector<qsizetype>{10, c.tableLength, c.blockLength})) << c.name;
        const std::int64_t asked = wire.received[10 + c.tableLength - 1].timeUs; // the table's last byte
        EXPECT_NEAR(double(wire.lastReadUs() - asked), double(c.blockDoneUs), 1.0) << c.name;
    }
}

TEST(ExchangeFaults, GarbageBytesComeBetweenAFrameAndTheNextPoll)
{
    Wire wire = withFaults(true, [](Faults& f) {
        f.garbageEvery = 2;
        f.garbageByte = 0x33;
    });
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
    Wire split = withFaults(false, [](Faults& f) {
        f.identitySplitAt = 4;
        f.identitySplitGapMs = 500;
    });
    split.send(protocol::PideIdentidad);
    ASSERT_EQ(split.expect(10, Second), QByteArray("IDR9030412"));
    EXPECT_EQ(split.received[3].timeUs, 0);
    EXPECT_EQ(split.received[4].timeUs, 500'000);
    EXPECT_EQ(split.received[9].timeUs, 500'000);

    Wire coalesced = withFaults(false, [](Faults& f) { f.identityWithTable = true; });
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
    const QByteArray second(25, char(0));
    ExchangeOptions options = Wire::quiet(false);
    options.script = {ScriptStep::frame(first), ScriptStep::garbage(0x77), ScriptStep::frame(second)};
    Wire wire(options);
    wire.handshake();
    EXPECT_EQ(wire.cycle(), first);
    EXPECT_EQ(wire.expect(1), QByteArray("\x77"));
    EXPECT_EQ(wire.cycle(protocol::SeleccionInterno(3)), second);
    EXPECT_EQ(wire.cycle(), second);
    wire.exchange.appendScript({ScriptStep::frame(first)});
    EXPECT_EQ(wire.cycle(), first);
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
            if (const int byte = random.between(0, 255); byte != protocol::PideIdentidad)
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
