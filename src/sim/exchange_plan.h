#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// What the exchange knows about itself: the extension number of each slot,
// the numbers in its 74 speed-dial memories and which slot is the console's
// own extension. It gives the numbering table and the directory block.
//
// Text form (a file for r903-sim --data):
//
//   # comment
//   extension SLOT NUMBER   slot 1-19, number of 1 to 3 characters
//   memory M NUMBER         memory 1-74, number of up to 14 characters
//   console SLOT            the console's own extension (default 19)
//
// Numbers use the dialled characters 0-9 * # D E. A file describes the whole
// exchange: slots and memories it does not name stay empty.
struct ExchangePlan {
    static constexpr int Slots = 19;
    static constexpr int Memories = 74;

    std::array<QString, Slots> extensions; // index slot - 1; empty: not numbered
    std::array<QString, Memories> memories; // index memory - 1; empty: no number
    int consoleSlot = Slots;

    // A plausible small exchange: extensions 11-19, 21-27, 10 and 20 in slots
    // 1-18, the console on slot 19 (number 9), a few memories.
    static ExchangePlan builtIn();
    static std::optional<ExchangePlan> parse(const QByteArray& text, QString* error);

    // 128 records of 4 bytes: number code bytes, slot, 0. Records that
    // number no slot carry 0xFF as their slot.
    QByteArray numberingTable() const;
    // 1456 bytes of the exchange's own (0xFF), then 74 memory records: the
    // memory's number, then its seven code bytes.
    QByteArray directoryBlock() const;
    bool memoryHasNumber(int memory) const;
};
