#include "link/saca_numero_interno.h"

#include <gtest/gtest.h>

namespace
{

struct Record {
    int alto;
    int bajo;
    int slot;
};

TablaInternos tableOf(std::initializer_list<Record> records)
{
    TablaInternos table{};
    int offset = 0;
    for (const Record& r : records) {
        table[offset] = std::uint8_t(r.alto);
        table[offset + 1] = std::uint8_t(r.bajo);
        table[offset + 2] = std::uint8_t(r.slot);
        table[offset + 3] = 0x77;
        offset += 4;
    }
    return table;
}

} // namespace

TEST(SacaNumeroInterno, DecodesAltoAndBajoInEachOfTheThreeCases)
{
    struct Case {
        int alto;
        int bajo;
        const char* number;
    };
    const Case cases[] = {
        {0x00, 0x07, "7"}, // X = 0: B = Y
        {0x00, 0x1A, "10"}, // X = 0 with two codes in Bajo
        {0x01, 0x0A, "10"}, // X 1-9: B = X * 16 + Y
        {0x01, 0x1A, "20"}, // X 1-9, Y of 16 or more that still fits: B = 0x2A
        {0x1A, 0x05, "105"}, // X of 10 or more: A = 1, B = 0xA5
        {0x10, 0x25, "125"}, // low nibble of X is 0: any Y fits
        {0x23, 0x04, "234"}, {0x12, 0x34, "154"}, // A = 1, B = 0x2 * 16 + 0x34 = 0x54
        {0x0F, 0x0F, ""}, // B = 0xFF fits: filler codes decode to nothing
    };
    for (const Case& c : cases) {
        const NumerosInternos numbers = Saca_Numero_Interno(tableOf({{c.alto, c.bajo, 5}}));
        EXPECT_EQ(numbers[5], QString::fromLatin1(c.number)) << c.alto << " " << c.bajo;
    }
}

TEST(SacaNumeroInterno, RecordsThatCannotBeANumberKeepDashes)
{
    // B = (low nibble of X) * 16 + Y; past 255 the record is not a number.
    const NumerosInternos numbers = Saca_Numero_Interno(
        tableOf({{0x01, 0xF0, 3}, {0x1F, 0x10, 4}, {0x0F, 0x11, 6}, {0x01, 0x25, 7}, {0x0E, 0x0F, 8}}));
    EXPECT_EQ(numbers[3], "---"); // 0x10 + 0xF0 = 0x100
    EXPECT_EQ(numbers[4], "---"); // 0xF0 + 0x10 = 0x100
    EXPECT_EQ(numbers[6], "---"); // 0xF0 + 0x11 = 0x101
    EXPECT_EQ(numbers[7], "35"); // 0x10 + 0x25 = 0x35 fits
    EXPECT_EQ(numbers[8], "E"); // 0xE0 + 0x0F = 0xEF fits
}

TEST(SacaNumeroInterno, FirstRecordOfASlotDecidesAndUnnamedSlotsKeepDashes)
{
    const NumerosInternos numbers = Saca_Numero_Interno(tableOf({
        {0x00, 0x00, 0}, // slot 0: numbers nothing
        {0x00, 0x33, 3}, // first record for slot 3
        {0x00, 0x44, 3}, // later duplicate: not looked at
        {0x01, 0xF0, 9}, // unreadable first record for slot 9 ...
        {0x00, 0x99, 9}, // ... and a readable later one that does not count
        {0x00, 0x55, 20}, // slot 20 does not exist
        {0x00, 0x19, 19},
    }));
    EXPECT_EQ(numbers[3], "33");
    EXPECT_EQ(numbers[9], "---");
    EXPECT_EQ(numbers[19], "19");
    for (int slot : {1, 2, 4, 7, 18})
        EXPECT_EQ(numbers[slot], "---") << slot;
}

TEST(SacaNumeroInterno, ReadsTheLastRecordOfTheTable)
{
    TablaInternos table{};
    table[508] = 0x00;
    table[509] = 0x42;
    table[510] = 12;
    EXPECT_EQ(Saca_Numero_Interno(table)[12], "42");
}
