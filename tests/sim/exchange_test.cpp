#include "sim/exchange.h"

#include "sim/seeded_random.h"
#include "sim/sim_command_line.h"
#include "wire/commands.h"
#include "wire/frame_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{

constexpr std::int64_t Second = 1'000'000;
constexpr double ByteUs = 1e7 / 9600; // 10 bits at 9600 bit/s
const QByteArray Poll(1, char(wire::Poll));

// The exchange as the simulator's command line describes it, without random traffic.
ExchangeOptions simOptions(const QString& arguments)
{
    const QStringList line
        = QStringList{"r903-sim", "--pty", "--no-traffic"} + arguments.split(u' ', Qt::SkipEmptyParts);
    return std::get<SimCommandLine>(parseSimCommandLine(line)).options;
}

// Everything the exchange sends from time 0 until it waits, with the time each byte arrives.
std::vector<ConsoleByte> drain(Exchange& exchange)
{
    std::vector<ConsoleByte> arrived;
    for (std::optional<std::int64_t> at = 0; at; at = exchange.nextWakeUs()) {
        exchange.advanceTo(*at);
        for (char byte : exchange.takeOutput())
            arrived.push_back({static_cast<unsigned char>(byte), *at});
    }
    return arrived;
}

// The identity, table and block requests, made together at time 0: at the
// line's pace the 2570 bytes take 2.68 s; unpaced they are due at once,
// unless a fault makes them late, slow, split, early or short.
TEST(ExchangeConversation, TheHandshakesRepliesComeAtTheLinesPaceOrAsAFaultShapesThem)
{
    // Options; bytes sent; when the last came.
    const std::tuple<const char*, std::size_t, double> cases[] = {
        {"", 2570, 2570 * ByteUs}, {"--fast --block-byte-us 2000", 2570, 2048 * 2000},
        {"--fast --block-delay 1000", 2570, 1'000'000}, {"--fast --short-table 500 --short-block 2000", 2510, 0},
        {"--fast --split-identity 4:500", 2570, 500'000},
        {"--fast --identity-with-table", 2570, 0}, // the table's own request is then ignored
    };
    for (const auto& [options, length, lastByteUs] : cases) {
        Exchange exchange(simOptions(options));
        for (unsigned char request : {wire::RequestIdentity, wire::RequestNumberingTable, wire::RequestSpeedDials})
            exchange.receive(request, 0);
        const std::vector<ConsoleByte> arrived = drain(exchange);
        ASSERT_EQ(arrived.size(), length) << options;
        EXPECT_NEAR(double(arrived.back().timeUs), lastByteUs, 3.0) << options; // each reply rounded up to 1 us
    }
}

// An answered poll is followed by its frame and, one period (200 ms) after
// it, by the next poll; a poll left unanswered is repeated after a second.
TEST(ExchangeConversation, PollsComeAtTheirPeriodAndUnansweredAfterASecond)
{
    Exchange exchange(simOptions({}));
    exchange.receive(wire::StartPolling, 0);
    exchange.advanceTo(3000);
    EXPECT_EQ(exchange.takeOutput(), Poll);
    exchange.receive(wire::NoCommand, 3000);
    exchange.advanceTo(200'000);
    EXPECT_EQ(exchange.takeOutput().size(), wire::StatusFrameLength) << "the next poll waits for the period";
    exchange.advanceTo(1'200'000);
    EXPECT_EQ(exchange.takeOutput(), Poll);
    exchange.advanceTo(1'210'000);
    EXPECT_EQ(exchange.takeOutput(), Poll) << "an unanswered poll comes again a second after";
}

TEST(ExchangeFaults, GarbageComesBetweenEveryOtherFrameAndTheNextPoll)
{
    Exchange exchange(simOptions("--fast --poll-ms 0 --garbage-every 2 --garbage-byte 33"));
    exchange.receive(wire::StartPolling, 0);
    EXPECT_EQ(exchange.takeOutput(), Poll);
    for (const QByteArray& betweenPolls : {Poll, "\x33" + Poll}) {
        exchange.receive(wire::NoCommand, 0);
        EXPECT_EQ(exchange.takeOutput().mid(wire::StatusFrameLength), betweenPolls);
    }
}

// Whatever the console sends, in every phase, the exchange keeps working: a
// fresh identity request still gets the identity reply, and the record of the
// console's bytes keeps the recent ones in bounded memory.
TEST(ExchangeRobustness, GarbageFromTheConsoleNeitherCrashesNorHangs)
{
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        Exchange exchange(simOptions(QStringLiteral("--poll-ms 0 --seed %1").arg(seed)));
        SeededRandom random(seed);
        std::int64_t now = 0;
        for (int i = 0; i < 70'000; ++i) {
            exchange.advanceTo(now += random.between(0, 3000));
            static_cast<void>(exchange.takeOutput());
            if (const int byte = random.between(0, 255); byte != wire::RequestIdentity)
                exchange.receive(static_cast<unsigned char>(byte), now);
        }
        exchange.receive(wire::EndConnection, now);
        static_cast<void>(exchange.takeOutput());
        exchange.receive(wire::RequestIdentity, now);
        exchange.advanceTo(now + Second);
        EXPECT_EQ(exchange.takeOutput(), QByteArray("IDR9030412"));
        const std::vector<ConsoleByte>& recorded = exchange.consoleBytes();
        EXPECT_GE(recorded.size(), Exchange::ConsoleBytesKept);
        EXPECT_LE(recorded.size(), 2 * Exchange::ConsoleBytesKept);
        EXPECT_GT(recorded.front().timeUs, now / 4) << "the oldest bytes go first";
    }
}

} // namespace
