// What the simulator reads: the exchange's plan file, scripts and its command line.
#include "link/frm_especiales.h"
#include "link/protocol.h"
#include "link/saca_numero_interno.h"
#include "sim/exchange_plan.h"
#include "sim/script_text.h"
#include "sim/sim_command_line.h"

#include <gtest/gtest.h>

namespace
{

// A memory's number as the console decodes it from the directory block.
QString readMemory(const QByteArray& block, int memory)
{
    QString digits;
    const int offset = protocol::DirectoryDiscardLength + (memory - 1) * protocol::MemoryRecordLength;
    for (int i = 1; i < protocol::MemoryRecordLength; ++i)
        digits += FrmEspeciales::TraducedeDiscado(static_cast<unsigned char>(block[offset + i]), 0);
    return digits;
}

TEST(ExchangePlan, AFileDescribesTheWholeExchangeAsTheConsoleReadsIt)
{
    QString error;
    const auto plan = ExchangePlan::parse("# a small office\n"
                                          "extension 1 201\n"
                                          "\n"
                                          "  extension   5 *9  \n"
                                          "extension 19 E0D\n"
                                          "memory 1 00349155512345\n"
                                          "memory 74 #31#\n"
                                          "console 3\n",
        &error);
    ASSERT_TRUE(plan) << error.toStdString();
    EXPECT_EQ(plan->consoleSlot, 3);
    TablaInternos table{};
    const QByteArray records = plan->numberingTable();
    ASSERT_EQ(records.size(), protocol::NumberingTableLength);
    std::copy(records.begin(), records.end(), table.begin());
    const NumerosInternos numbers = Saca_Numero_Interno(table);
    EXPECT_EQ(numbers[1], QStringLiteral("201"));
    EXPECT_EQ(numbers[5], QStringLiteral("*9"));
    EXPECT_EQ(numbers[19], QStringLiteral("E0D"));
    EXPECT_EQ(numbers[2], QStringLiteral("---"));

    const QByteArray block = plan->directoryBlock();
    ASSERT_EQ(block.size(), protocol::DirectoryBlockLength);
    EXPECT_EQ(readMemory(block, 1), QStringLiteral("00349155512345"));
    EXPECT_EQ(readMemory(block, 74), QStringLiteral("#31#"));
    EXPECT_EQ(readMemory(block, 2), QString());
}

std::variant<SimCommandLine, SimCommandLineExit> parseCommandLine(const std::vector<const char*>& words)
{
    QStringList arguments{QStringLiteral("r903-sim")};
    for (const char* w : words)
        arguments << QString::fromLatin1(w);
    return parseSimCommandLine(arguments);
}

// A wrong line of a plan or a script is refused with its number; a wrong
// command line ends with status 2, --help with 0.
TEST(SimInput, WrongLinesAndOptionsAreRefused)
{
    using Parse = bool (*)(const QByteArray&, QString*);
    const Parse plan = [](const QByteArray& text, QString* error) { return bool(ExchangePlan::parse(text, error)); };
    const Parse script = [](const QByteArray& text, QString* error) { return bool(parseScript(text, error)); };
    const std::pair<Parse, const char*> wrongLines[]
        = {{plan, "extension 0 11"}, {plan, "extension 20 11"}, {plan, "extension 1 1234"}, {plan, "extension 1 1a"},
            {plan, "extension 1"}, {plan, "memory 75 1"}, {plan, "memory 1 123456789012345"}, {plan, "console 0"},
            {plan, "console"}, {plan, "trunk 1 2"}, {plan, "extension x 11"}, {script, "frame 00"},
            {script, "garbage 7"}, {script, "garbage 7g"}, {script, "pause 1"}, {script, "frames 00"}};
    for (const auto& [parse, line] : wrongLines) {
        QString error;
        EXPECT_FALSE(parse(QByteArray("# line 1\n") + line, &error)) << line;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 2:"))) << error.toStdString();
    }

    const std::vector<std::vector<const char*>> wrongOptions = {{}, {"--pty", "--device", "/dev/x"},
        {"--pty", "--poll-ms", "-1"}, {"--pty", "--silent-from", "nowhere"}, {"--pty", "--split-identity", "10"},
        {"--pty", "--garbage-byte", "100"}, {"--pty", "--bogus"}, {"--pty", "extra"}, {"--pty", "--seed", "x"}};
    for (const auto& words : wrongOptions)
        EXPECT_EQ(std::get<SimCommandLineExit>(parseCommandLine(words)).status, 2);
    const auto help = std::get<SimCommandLineExit>(parseCommandLine({"--help"}));
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.text.contains(QStringLiteral("--pty")));
}

} // namespace
