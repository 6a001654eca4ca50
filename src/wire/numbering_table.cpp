#include "wire/numbering_table.h"

#include "wire/digit_codes.h"

#include <optional>

namespace wire
{
namespace
{

constexpr int RecordCount = NumberingTableLength / NumberingRecordLength;

// The byte pair (A, B) of a record's high byte X and low byte Y: A is the high nibble
// of X, B the low nibble of X followed by Y. Nothing when B would not fit in a
// byte (a low nibble of X with a Y of 16 or more can push it past 255).
std::optional<std::pair<unsigned char, unsigned char>> bytePair(int x, int y)
{
    const int a = x / 16;
    const int b = (x % 16) * 16 + y;
    if (b > 0xFF)
        return std::nullopt;
    return std::pair{static_cast<unsigned char>(a), static_cast<unsigned char>(b)};
}

QString numberOfSlot(const NumberingTable& table, int slot)
{
    const QString unnumbered = QStringLiteral("---");
    for (int r = 0; r < RecordCount; ++r) {
        const int offset = r * NumberingRecordLength;
        if (table[offset + 2] != slot)
            continue;
        const auto pair = bytePair(table[offset], table[offset + 1]);
        return pair ? decodeDigits(pair->first, pair->second) : unnumbered;
    }
    return unnumbered;
}

} // namespace

ExtensionNumbers extensionNumbers(const NumberingTable& table)
{
    ExtensionNumbers numbers;
    for (int slot = 1; slot <= ExtensionSlots; ++slot)
        numbers[slot] = numberOfSlot(table, slot);
    return numbers;
}

} // namespace wire
