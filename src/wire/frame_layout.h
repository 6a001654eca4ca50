#pragma once

#include <array>
#include <cstdint>

// The sizes of what the exchange sends, and where each slot and line sits in
// the status frame.
namespace wire
{

inline constexpr int ExtensionSlots = 19;
inline constexpr int OutsideLines = 6;
inline constexpr int MemoryCount = 74;
inline constexpr int MemoryRecordLength = 8;
inline constexpr int NumberingRecordLength = 4;

inline constexpr int IdentityLength = 10;
inline constexpr int NumberingTableLength = 512;
inline constexpr int DirectoryBlockLength = 2048;
// The block's first bytes carry nothing the console uses.
inline constexpr int DirectoryDiscardLength = 1456;
inline constexpr int DirectoryDataLength = DirectoryBlockLength - DirectoryDiscardLength; // 592
inline constexpr int StatusFrameLength = ExtensionSlots + OutsideLines; // 25

inline constexpr char ExpectedModel[] = "R903";

// One status code per extension slot (positions 0-18), then per outside line (19-24).
using StatusFrame = std::array<std::uint8_t, StatusFrameLength>;

constexpr int slotPosition(int slot)
{
    return slot - 1;
}
constexpr int linePosition(int line)
{
    return ExtensionSlots + line - 1;
}

} // namespace wire
