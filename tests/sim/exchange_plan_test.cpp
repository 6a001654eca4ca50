#include "sim/exchange_plan.h"

#include "link/frm_especiales.h"
#include "link/protocol.h"
#include "sim/digit_codes.h"

#include <gtest/gtest.h>

#include <map>

namespace
{

// The number a console reads from a numbering-table record: the high nibble
// of the first byte, then its low nibble followed by the second byte.
QString readExtension(const QByteArray& table, int record)
{
    const auto x = static_cast<unsigned char>(table[record * 4]);
    const auto y = static_cast<unsigned char>(table[record * 4 + 1]);
    return FrmEspeciales::TraducedeDiscado(x >> 4, static_cast<unsigned char>(((x & 0x0F) << 4) + y));
}

QString readMemory(const QByteArray& block, int memory)
{
    QString digits;
    const int offset = protocol::DirectoryDiscardLength + (memory - 1) * protocol::MemoryRecordLength;
    for (int i = 1; i < protocol::MemoryRecordLength; ++i)
        digits += FrmEspeciales::TraducedeDiscado(static_cast<unsigned char>(block[offset + i]), 0);
    return digits;
}

TEST(DigitCodes, NumbersAreEncodedAsTheConsoleDecodesThem)
{
    const std::pair<const char*, std::array<unsigned char, 2>> extensions[] = {{"10", {0x01, 0x0A}},
        {"105", {0x1A, 0x05}}, {"7", {0x00, 0x07}}, {"0", {0x00, 0x0A}}, {"*#D", {0xBC, 0x0D}}, {"E00", {0xEA, 0x0A}}};
    for (const auto& [number, bytes] : extensions)
        EXPECT_EQ(digit_codes::extensionBytes(QString::fromLatin1(number)), bytes) << number;
    for (const char* bad : {"", "1234", "12a", "1 2", "+1"})
        EXPECT_FALSE(digit_codes::extensionBytes(QString::fromLatin1(bad))) << bad;

    for (const char* number : {"", "0", "00349155512345", "*21#", "0800222333", "DE0"}) {
        const auto bytes = digit_codes::memoryBytes(QString::fromLatin1(number));
        ASSERT_TRUE(bytes) << number;
        QString decoded;
        for (unsigned char b : *bytes)
            decoded += FrmEspeciales::TraducedeDiscado(b, 0);
        EXPECT_EQ(decoded, QString::fromLatin1(number));
    }
    EXPECT_EQ(digit_codes::memoryBytes(QStringLiteral("107")),
        (std::array<unsigned char, 7>{0x1A, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(digit_codes::memoryBytes(QStringLiteral("003491555123456"))) << "fifteen digits";
    EXPECT_FALSE(digit_codes::memoryBytes(QStringLiteral("12-34")));
}

TEST(ExchangePlan, AFileDescribesTheWholeExchange)
{
    QString error;
    const auto plan = ExchangePlan::parse("# a small office\n"
                                          "extension 1 201\n"
                                          "\n"
                                          "  extension   5 *9  \n"
                                          "extension 19 9\n"
                                          "memory 1 0114316000\n"
                                          "memory 74 #31#\n"
                                          "console 3\n",
        &error);
    ASSERT_TRUE(plan) << error.toStdString();
    EXPECT_EQ(plan->consoleSlot, 3);
    const QByteArray table = plan->numberingTable();
    ASSERT_EQ(table.size(), protocol::NumberingTableLength);
    const std::map<int, QString> numbers = {{1, "201"}, {5, "*9"}, {19, "9"}}; // by slot
    for (int record = 0; record < 128; ++record) {
        const auto number = numbers.find(record + 1);
        const bool numbered = number != numbers.end();
        EXPECT_EQ(static_cast<unsigned char>(table[record * 4 + 2]), numbered ? record + 1 : 0xFF) << record;
        if (numbered) {
            EXPECT_EQ(readExtension(table, record), number->second);
        }
    }

    const QByteArray block = plan->directoryBlock();
    ASSERT_EQ(block.size(), protocol::DirectoryBlockLength);
    EXPECT_EQ(readMemory(block, 1), QStringLiteral("0114316000"));
    EXPECT_EQ(readMemory(block, 74), QStringLiteral("#31#"));
    EXPECT_EQ(readMemory(block, 2), QString());
}

TEST(ExchangePlan, AWrongLineIsRefusedWithItsNumber)
{
    const char* wrong[] = {"extension 0 11", "extension 20 11", "extension 1 1234", "extension 1", "memory 75 1",
        "memory 1 123456789012345", "console 0", "console", "trunk 1 2", "extension x 11"};
    for (const char* line : wrong) {
        QString error;
        EXPECT_FALSE(ExchangePlan::parse(QByteArray("memory 1 1\n") + line, &error)) << line;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 2:"))) << error.toStdString();
    }
}

} // namespace
