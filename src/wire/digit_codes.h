#pragma once

#include <QString>

#include <array>
#include <optional>

// The exchange's 4-bit digit codes, two to a byte, high nibble first: 1-9 are
// the digits, 0xA is "0", 0xB "*", 0xC "#", 0xD "D", 0xE "E"; 0 and 0xF stand
// for no digit. The exchange keeps extension numbers and speed-dial numbers
// this way; the console decodes them, the simulator encodes them.
namespace wire
{

// The digits of two code bytes: at most four characters.
QString decodeDigits(unsigned char first, unsigned char second);

// The code of one dialled character, or nothing for a character that has none.
std::optional<unsigned char> codeOf(QChar c);

// A numbering-table record's first two bytes for an extension number of one
// to three characters: the characters before the last one in the first byte
// (right-aligned), the last one in the low nibble of the second.
std::optional<std::array<unsigned char, 2>> extensionBytes(const QString& number);

// A speed-dial memory's seven code bytes: up to fourteen characters, high
// nibble first, the unused positions filled with 0xF.
inline constexpr int MemoryDigits = 14;
std::optional<std::array<unsigned char, 7>> memoryBytes(const QString& number);

} // namespace wire
