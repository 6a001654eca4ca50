#include "sim/exchange_plan.h"

#include "link/frm_especiales.h"
#include "link/protocol.h"
#include "sim/digit_codes.h"

#include <gtest/gtest.h>

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

TEST(DigitCodes, ExtensionNumbersAreEncodedAsTheConsoleDecodesThem)
{
    struct Case {
        const char* number;
        unsigned char alto;
        unsigned char bajo;
    };
    const Case cases[] = {{"10", 0x01, 0x0A}, {"105", 0x1A, 0x05}, {"7", 0x00, 0x07}, {"0", 0x00, 0x0A},
        {"*#D", 0xBC, 0x0D}, {"E00", 0xEA, 0x0A}};
    for (const Case& c : cases) {
        const auto bytes = digit_codes::extensionBytes(QString::fromLatin1(c.number));
        ASSERT_TRUE(bytes) << c.number;
        EXPECT_EQ((*bytes)[0], c.alto) << c.number;
        EXPECT_EQ((*bytes)[1], c.bajo) << c.number;
    }
    for (const char* bad : {"", "1234", "12a", "1 2", "+1"})
        EXPECT_FALSE(digit_codes::extensionBytes(QString::fromLatin1(bad))) << bad;
}

TEST(DigitCodes, MemoryNumbersRoundTripThroughTheConsolesDecoding)
{
    for (const char* number : {"", "0", "00349155512345", "*21#", "0800222333", "DE0"}) {
        const auto bytes = digit_codes::memoryBytes(QString::fromLatin1(number));
        ASSERT_TRUE(bytes) << number;
        QString decoded;
        for (unsigned char b : *bytes)
            decoded += FrmEspeciales::TraducedeDiscado(b, 0);
        EXPECT_EQ(decoded, QString::fromLatin1(number));
    }
    EXPECT_EQ(*digit_codes::memoryBytes(QStringLiteral("107")),
        (std::array<unsigned char, 7>{0x1A, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(digit_codes::memoryBytes(QStringLiteral("003491555123456"))) << "fifteen digits";
    EXPECT_FALSE(digit_codes::memoryBytes(QStringLiteral("12-34")));
}

TEST(ExchangePlan, TheBuiltInExchangeNumbersItsSlotsAndMemories)
{
    const ExchangePlan plan = ExchangePlan::builtIn();
    const QByteArray table = plan.numberingTable();
    ASSERT_EQ(table.size(), protocol::NumberingTableLength);
    const char* expected[] = {"11", "12", "13", "14", "15", "16", "17", "18", "19", "21", "22", "23", "24", "25", "26",
        "27", "10", "20", "9"};
    for (int slot = 1; slot <= 19; ++slot) {
        EXPECT_EQ(table[(slot - 1) * 4 + 2], char(slot));
        EXPECT_EQ(readExtension(table, slot - 1), QString::fromLatin1(expected[slot - 1])) << "slot " << slot;
    }
    for (int record = 19; record < 128; ++record)
        EXPECT_EQ(static_cast<unsigned char>(table[record * 4 + 2]), 0xFF) << "record " << record;
    EXPECT_EQ(table.mid(16 * 4, 2), QByteArray("\x01\x0A", 2)) << "extension 10 in slot 17";

    const QByteArray block = plan.directoryBlock();
    ASSERT_EQ(block.size(), protocol::DirectoryBlockLength);
    EXPECT_EQ(readMemory(block, 1), QStringLiteral("0114316000"));
    EXPECT_EQ(readMemory(block, 5), QStringLiteral("00349155512345"));
    EXPECT_EQ(readMemory(block, 74), QStringLiteral("107"));
    EXPECT_EQ(readMemory(block, 6), QString());
    EXPECT_EQ(plan.consoleSlot, 19);
}

TEST(ExchangePlan, AFileDescribesTheWholeExchange)
{
    QString error;
    const auto plan = ExchangePlan::parse("# a small office\n"
                                          "extension 1 201\n"
                                          "\n"
                                          "  extension   5 *9  \n"
                                          "memory 74 #31#\n"
                                          "console 3\n",
        &error);
    ASSERT_TRUE(plan) << error.toStdString();
    EXPECT_EQ(plan->consoleSlot, 3);
    const QByteArray table = plan->numberingTable();
    EXPECT_EQ(readExtension(table, 0), QStringLiteral("201"));
    EXPECT_EQ(readExtension(table, 4), QStringLiteral("*9"));
    EXPECT_EQ(static_cast<unsigned char>(table[1 * 4 + 2]), 0xFF) << "slot 2 is not numbered";
    EXPECT_EQ(readMemory(plan->directoryBlock(), 74), QStringLiteral("#31#"));
    EXPECT_EQ(readMemory(plan->directoryBlock(), 1), QString());
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
