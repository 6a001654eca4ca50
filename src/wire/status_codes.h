#pragma once

// The status codes the exchange reports in a frame, one byte per extension
// slot and per outside line.
namespace wire
{

namespace extension
{
inline constexpr unsigned char Free = 0;
inline constexpr unsigned char Busy = 1;
inline constexpr unsigned char Talking = 2; // in conversation with the console
inline constexpr unsigned char Called = 3; // being called by the console
inline constexpr unsigned char Calling = 4; // calling the console
inline constexpr unsigned char Held = 5; // held by the console
inline constexpr unsigned char Disabled = 6;
// The console's own extension: bit 7, with bit 6 while the console is engaged.
inline constexpr unsigned char Own = 0x80;
inline constexpr unsigned char OwnEngaged = 0x40;
} // namespace extension

namespace line
{
inline constexpr unsigned char Free = 0;
inline constexpr unsigned char Busy = 1;
inline constexpr unsigned char Taken = 2; // taken by the console
inline constexpr unsigned char BusyBlinking = 3;
inline constexpr unsigned char Held = 4; // held by the console
inline constexpr unsigned char Parked = 5; // parked by the console
inline constexpr unsigned char Calling = 6;
inline constexpr unsigned char Returned = 7; // transferred or returned to the console
} // namespace line

} // namespace wire
