#pragma once

#include "link/protocol.h"

#include <QString>

#include <array>
#include <variant>

// The serial port number as stored: nothing, the text of a list entry
// ("1"-"16"), or the number the probe puts in by default. The file keeps the
// difference between text and number.
using NumeroPuerto = std::variant<std::monostate, QString, int>;

inline constexpr int NameBoxCount = 18;

// What survives a run in the configuration file, and whether it changed.
struct Configuration {
    NumeroPuerto numeroPuerto;
    std::array<QString, NameBoxCount> nombres; // name boxes of slots 1-18
    std::array<QString, protocol::MemoryCount> troncalMemoria; // notes of memories 1-74
    bool hayCambios = false;
};
