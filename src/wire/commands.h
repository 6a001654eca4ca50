#pragma once

// The one-byte commands of the serial conversation with the exchange.
//
// The exchange polls, the console answers with exactly one byte, the exchange
// sends a status frame. Everything before polling is a fixed request/block
// exchange (see frame_layout.h for the lengths).

#include "wire/frame_layout.h"

namespace wire
{

// Console to exchange.
inline constexpr unsigned char RequestIdentity = 0x44; // "D"
inline constexpr unsigned char RequestNumberingTable = 0x42; // "B"
inline constexpr unsigned char RequestSpeedDials = 0x43; // "C": the speed-dial block
inline constexpr unsigned char StartPolling = 0xC0; // start or restart polling
inline constexpr unsigned char NoCommand = 0x8E; // poll answer with an empty queue
inline constexpr unsigned char EndConnection = 0x8F;
inline constexpr unsigned char Cut = 0x80; // cut, or transfer
inline constexpr unsigned char Hold = 0x81;
inline constexpr unsigned char Retrieve = 0x82;

// Act on extension slot 1-19.
constexpr unsigned char SelectExtension(int slot)
{
    return static_cast<unsigned char>(slot);
}
// The extension slot a command acts on, 0 for any other command.
constexpr int selectedExtension(unsigned char command)
{
    return command >= SelectExtension(1) && command <= SelectExtension(ExtensionSlots) ? command : 0;
}
// Act on outside line 1-6.
constexpr unsigned char SelectLine(int line)
{
    return static_cast<unsigned char>(0x20 + line);
}
// Dial speed-dial memory 1-74.
constexpr unsigned char DialMemory(int memory)
{
    return static_cast<unsigned char>(0x90 + memory);
}

// Exchange to console: the poll.
inline constexpr unsigned char Poll = 0x19;

} // namespace wire
