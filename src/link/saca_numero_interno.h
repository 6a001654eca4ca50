#pragma once

#include "link/protocol.h"

#include <QString>

#include <array>
#include <cstdint>

// The numbering table as received: 128 records of 4 bytes (Alto, Bajo, slot, unused).
using TablaInternos = std::array<std::uint8_t, protocol::NumberingTableLength>;

// Extension number text of slots 1-19 (index = slot; index 0 unused).
using NumerosInternos = std::array<QString, protocol::ExtensionSlots + 1>;

// The extension number of every slot from the first record that names it;
// "---" for a slot no record names, or whose record cannot be read as a number.
NumerosInternos Saca_Numero_Interno(const TablaInternos& table);
