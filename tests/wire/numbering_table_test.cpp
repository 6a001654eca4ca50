#include "wire/numbering_table.h"

#include <gtest/gtest.h>

namespace
{

struct Record {
    int high;
    int low;
    int slot;
};

// The records from the first place on; the unused fourth byte is never 0.
wire::NumberingTable tableOf(std::initializer_list<Record> records)
{
    wire::NumberingTable table{};
    int offset = 0;
    for (const Record& r : records) {
        table[offset] = std::uint8_t(r.high);
        table[offset + 1] = std::uint8_t(r.low);
        table[offset + 2] = std::uint8_t(r.slot);
        table[offset + 3] = 0x77;
        offset += 4;
    }
    return table;
}

} // namespace

TEST(ExtensionNumbers, DecodesTheHighAndLowBytesOrKeepsDashesWhenTheyPassAByte)
{
    // A is the high nibble of the high byte X, B = (low nibble of X) * 16 + the low byte Y.
    const std::tuple<int, int, const char*> cases[] = {
        {0x00, 0x1A, "10"}, // X = 0: B = Y
        {0x01, 0x1A, "20"}, // a Y of 16 or more carries into the high digit of B
        {0x23, 0x04, "234"}, {0x12, 0x34, "154"}, // A = 1 or 2
        {0x0F, 0x0F, ""}, // B = 0xFF fits; filler codes decode to nothing
        {0x01, 0xF0, "---"}, {0x1F, 0x10, "---"}, // B = 0x100
    };
    for (const auto& [high, low, number] : cases) {
        const wire::ExtensionNumbers numbers = wire::extensionNumbers(tableOf({{high, low, 5}}));
        EXPECT_EQ(numbers[5], QString::fromLatin1(number)) << high << " " << low;
    }
}

TEST(ExtensionNumbers, FirstRecordOfASlotDecidesToTheLastRecordAndUnnamedSlotsKeepDashes)
{
    wire::NumberingTable table = tableOf({
        {0x00, 0x00, 0}, // slot 0: numbers nothing
        {0x00, 0x33, 3}, // first record for slot 3
        {0x00, 0x44, 3}, // later duplicate: not looked at
        {0x01, 0xF0, 9}, // unreadable first record for slot 9 ...
        {0x00, 0x99, 9}, // ... and a readable later one that does not count
        {0x00, 0x55, 20}, // slot 20 does not exist
    });
    table[508 + 1] = 0x42; // the last record numbers slot 12
    table[508 + 2] = 12;
    const wire::ExtensionNumbers numbers = wire::extensionNumbers(table);
    EXPECT_EQ(numbers[3], "33");
    EXPECT_EQ(numbers[12], "42");
    for (int slot : {1, 2, 4, 9, 18, 19})
        EXPECT_EQ(numbers[slot], "---") << slot;
}
