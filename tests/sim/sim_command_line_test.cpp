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

// The exchange's own tests describe their exchanges with this command line
// (Wire::options): pacing, poll period, identity and faults. These are the rest.
TEST(SimCommandLine, TheLineTheSeedAndTheTrafficAreChosen)
{
    const auto pty = std::get<SimCommandLine>(parse({"--pty", "--seed", "9", "--no-traffic"}));
    EXPECT_TRUE(pty.pseudoTerminal);
    EXPECT_EQ(pty.options.seed, 9u);
    EXPECT_FALSE(pty.options.traffic);
    const auto device = std::get<SimCommandLine>(parse({"--device", "/dev/ttyUSB0"}));
    EXPECT_FALSE(device.pseudoTerminal);
    EXPECT_EQ(device.device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(device.options.traffic);
}

TEST(SimCommandLine, WrongCommandLinesExitWithStatus2AndHelpWith0)
{
    const std::vector<std::vector<const char*>> wrong = {{}, {"--pty", "--device", "/dev/x"},
        {"--pty", "--poll-ms", "-1"}, {"--pty", "--silent-from", "nowhere"}, {"--pty", "--split-identity", "10"},
        {"--pty", "--garbage-byte", "100"}, {"--pty", "--bogus"}, {"--pty", "extra"}, {"--pty", "--seed", "x"}};
    for (const auto& words : wrong)
        EXPECT_EQ(std::get<SimCommandLineExit>(parse(words)).status, 2);
    const auto help = std::get<SimCommandLineExit>(parse({"--help"}));
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.text.contains(QStringLiteral("--pty")));
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
    EXPECT_EQ((*steps)[0].bytes, QByteArray(18, char(0)) + char(0x80) + QByteArray(5, char(0)) + char(6));
    EXPECT_EQ((*steps)[1].kind, ScriptStep::Kind::Garbage);
    EXPECT_EQ((*steps)[1].bytes, QByteArray("\x7f"));
    EXPECT_EQ((*steps)[2].kind, ScriptStep::Kind::Pause);
    for (const char* bad : {"frame 00", "garbage 7", "garbage 7g", "pause 1", "frames 00"}) {
        EXPECT_FALSE(parseScript(bad, &error)) << bad;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 1:")));
    }
}

} // namespace
