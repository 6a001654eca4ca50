#include "sim/script_text.h"
#include "sim/sim_command_line.h"

#include <gtest/gtest.h>

namespace
{

std::variant<SimCommandLine, SimCommandLineExit> parse(const std::vector<const char*>& words)
{
    QStringList arguments{QStringLiteral("r903-sim")};
    for (const char* w : words)
        arguments << QString::fromLatin1(w);
    return parseSimCommandLine(arguments);
}

TEST(SimCommandLine, OptionsReachTheExchange)
{
    const auto parsed = parse({"--pty", "--fast", "--poll-ms", "50", "--seed", "9", "--model", "X903", "--silent-from",
        "block:1000", "--split-identity", "3:250", "--short-table", "100", "--garbage-every", "4", "--garbage-byte",
        "aa", "--no-traffic"});
    ASSERT_TRUE(std::holds_alternative<SimCommandLine>(parsed));
    const SimCommandLine& line = std::get<SimCommandLine>(parsed);
    EXPECT_TRUE(line.pseudoTerminal);
    const ExchangeOptions& o = line.options;
    EXPECT_FALSE(o.paced);
    EXPECT_FALSE(o.traffic);
    EXPECT_EQ(o.pollPeriodMs, 50);
    EXPECT_EQ(o.seed, 9u);
    EXPECT_EQ(o.model, QByteArray("X903"));
    EXPECT_EQ(o.faults.silentFrom, Faults::Stage::InBlock);
    EXPECT_EQ(o.faults.silentAfter, 1000);
    EXPECT_EQ(o.faults.identitySplitAt, 3);
    EXPECT_EQ(o.faults.identitySplitGapMs, 250);
    EXPECT_EQ(o.faults.table.length, 100);
    EXPECT_EQ(o.faults.garbageEvery, 4);
    EXPECT_EQ(o.faults.garbageByte, 0xAA);
}

TEST(SimCommandLine, DefaultsArePacedTrafficAt200Ms)
{
    const auto parsed = parse({"--device", "/dev/ttyUSB0"});
    ASSERT_TRUE(std::holds_alternative<SimCommandLine>(parsed));
    const SimCommandLine& line = std::get<SimCommandLine>(parsed);
    EXPECT_FALSE(line.pseudoTerminal);
    EXPECT_EQ(line.device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(line.options.paced);
    EXPECT_TRUE(line.options.traffic);
    EXPECT_EQ(line.options.pollPeriodMs, 200);
    EXPECT_EQ(line.options.faults.silentFrom, Faults::Stage::None);
}

TEST(SimCommandLine, WrongCommandLinesExitWithStatus2)
{
    const std::vector<std::vector<const char*>> wrong = {{}, {"--pty", "--device", "/dev/x"},
        {"--pty", "--poll-ms", "-1"}, {"--pty", "--silent-from", "nowhere"}, {"--pty", "--split-identity", "10"},
        {"--pty", "--garbage-byte", "100"}, {"--pty", "--bogus"}, {"--pty", "extra"}, {"--pty", "--seed", "x"}};
    for (const auto& words : wrong) {
        const auto parsed = parse(words);
        ASSERT_TRUE(std::holds_alternative<SimCommandLineExit>(parsed));
        EXPECT_EQ(std::get<SimCommandLineExit>(parsed).status, 2);
    }
    const auto help = parse({"--help"});
    ASSERT_TRUE(std::holds_alternative<SimCommandLineExit>(help));
    EXPECT_EQ(std::get<SimCommandLineExit>(help).status, 0);
    EXPECT_TRUE(std::get<SimCommandLineExit>(help).text.contains(QStringLiteral("--pty")));
}

TEST(ScriptText, StepsAndErrors)
{
    QString error;
    const auto steps = parseScript("# start\nframe 000000000000000000000000000000000000 80 000000000006\n"
                                   "garbage 7f\npause\n",
        &error);
    ASSERT_TRUE(steps) << error.toStdString();
    ASSERT_EQ(steps->size(), 3u);
    EXPECT_EQ((*steps)[0].kind, ScriptStep::Kind::Frame);
    EXPECT_EQ((*steps)[0].bytes.size(), 25);
    EXPECT_EQ((*steps)[0].bytes[18], char(0x80));
    EXPECT_EQ((*steps)[0].bytes[24], char(0x06));
    EXPECT_EQ((*steps)[1].bytes, QByteArray("\x7f"));
    EXPECT_EQ((*steps)[2].kind, ScriptStep::Kind::Pause);
    for (const char* bad : {"frame 00", "garbage 7", "garbage 7g", "pause 1", "frames 00"}) {
        EXPECT_FALSE(parseScript(bad, &error)) << bad;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 1:")));
    }
}

} // namespace
