#pragma once

#include "wire/frame_layout.h"

#include <QString>

#include <array>
#include <cstdint>

namespace wire
{

// The numbering table as received: 128 records of 4 bytes (high, low, slot, unused).
using NumberingTable = std::array<std::uint8_t, NumberingTableLength>;

// Extension number text of slots 1-19 (index = slot; index 0 unused).
using ExtensionNumbers = std::array<QString, ExtensionSlots + 1>;

// The extension number of every slot from the first record that names it;
// "---" for a slot no record names, or whose record cannot be read as a number.
ExtensionNumbers extensionNumbers(const NumberingTable& table);

} // namespace wire
