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

// Scripts that play are read by the exchange's own tests.
TEST(ScriptText, WrongLinesAreRefusedWithTheirNumber)
{
    for (const char* bad : {"frame 00", "garbage 7", "garbage 7g", "pause 1", "frames 00"}) {
        QString error;
        EXPECT_FALSE(parseScript(QByteArray("pause\n") + bad, &error)) << bad;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 2:"))) << error.toStdString();
    }
}

} // namespace
