#pragma once

#include "link/protocol.h"

#include <array>
#include <cstdint>

// The speed-dial data of the directory block: 74 records of 8 bytes, byte 0
// unused, bytes 1-7 fourteen digit codes.
using BloqueMemorias = std::array<std::uint8_t, protocol::DirectoryDataLength>;
