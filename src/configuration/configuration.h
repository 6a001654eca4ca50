#pragma once

#include "wire/frame_layout.h"

#include <QString>

#include <array>
#include <variant>

// The serial port number as stored: nothing, the text of a list entry
// ("1"-"16"), or the number the probe puts in by default. The file keeps the
// difference between text and number.
using RecordValue = std::variant<std::monostate, QString, int>;

inline constexpr int NameBoxCount = 18;

// What survives a run in the configuration file, and whether it changed.
struct Configuration {
    RecordValue portNumber;
    std::array<QString, NameBoxCount> names; // name boxes of slots 1-18
    std::array<QString, wire::MemoryCount> memoryNotes; // notes of memories 1-74
    bool changed = false;
};
