// What the simulator reads: the exchange's plan file, scripts and its command line.
#include "sim/exchange_plan.h"
#include "sim/script_text.h"
#include "sim/sim_command_line.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{

using Parse = bool (*)(const QByteArray&, QString*);

// Lines at the edges of what a plan or a script allows are read; a wrong line
// is refused with its number.
TEST(SimInput, PlanAndScriptLinesAreReadUpToTheirLimitsAndRefusedBeyond)
{
    const Parse plan = [](const QByteArray& text, QString* error) { return bool(ExchangePlan::parse(text, error)); };
    const Parse script = [](const QByteArray& text, QString* error) { return bool(parseScript(text, error)); };
    const std::tuple<Parse, const char*, bool> lines[] = {{plan, "  extension   19 E0D  ", true},
        {plan, "extension 1 *9", true}, {plan, "memory 74 00349155512345", true}, {plan, "console 19", true},
        {plan, "extension 0 11", false}, {plan, "extension 20 11", false}, {plan, "extension 1 1234", false},
        {plan, "extension 1 1a", false}, {plan, "extension 1", false}, {plan, "memory 75 1", false},
        {plan, "memory 1 123456789012345", false}, {plan, "console 0", false}, {plan, "trunk 1 2", false},
        {script, "frame 00112233445566778899 aabbccddeeff001122334455667788", true}, {script, "garbage 7f", true},
        {script, "pause", true}, {script, "frame 00", false}, {script, "garbage 7g", false}, {script, "pause 1", false},
        {script, "frames 00", false}};
    for (const auto& [parse, line, accepted] : lines) {
        QString error;
        EXPECT_EQ(parse(QByteArray("# line 1\n\n") + line, &error), accepted) << line;
        EXPECT_EQ(error.startsWith(QStringLiteral("line 3:")), !accepted) << error.toStdString();
    }
    const auto read = ExchangePlan::parse("extension 19 E0D\nmemory 74 #31#\nconsole 3\n", nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->extensions[18], QStringLiteral("E0D"));
    EXPECT_EQ(read->memories[73], QStringLiteral("#31#"));
    EXPECT_EQ(read->consoleSlot, 3);
}

// A wrong command line ends with status 2, --help with 0.
TEST(SimInput, WrongOptionsAreRefused)
{
    const QStringList wrongOptions[] = {{}, {"--pty", "--device", "/dev/x"}, {"--pty", "--poll-ms", "-1"},
        {"--pty", "--silent-from", "nowhere"}, {"--pty", "--split-identity", "10"}, {"--pty", "--garbage-byte", "100"},
        {"--pty", "--bogus"}, {"--pty", "extra"}, {"--pty", "--seed", "x"}};
    for (const QStringList& words : wrongOptions)
        EXPECT_EQ(std::get<SimCommandLineExit>(parseSimCommandLine(QStringList{"r903-sim"} + words)).status, 2)
            << words.join(' ').toStdString();
    const auto help = std::get<SimCommandLineExit>(parseSimCommandLine({"r903-sim", "--help"}));
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.text.contains(QStringLiteral("--pty")));
}

} // namespace
