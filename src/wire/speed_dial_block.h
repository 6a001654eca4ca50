#pragma once

#include "wire/frame_layout.h"

#include <array>
#include <cstdint>

namespace wire
{

// The speed-dial data of the directory block: 74 records of 8 bytes, byte 0
// unused, bytes 1-7 fourteen digit codes.
using SpeedDialBlock = std::array<std::uint8_t, DirectoryDataLength>;

} // namespace wire
