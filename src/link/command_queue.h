#pragma once

#include <array>

// The transmit queue: ten one-byte commands, first in, first out. Index 0
// goes out with the answer to the next poll; 0 marks an empty place.
class CommandQueue
{
public:
    static constexpr int Places = 10;

    // Stores the command in the first empty place; false when all ten are taken
    // (the command is dropped).
    bool queue(unsigned char command);
    // Puts the end-of-connection byte at index 0, replacing what waits there.
    void endConnection();
    // Takes index 0, shifts the rest down; 0x8E when nothing was waiting.
    unsigned char answerPoll();

    unsigned char at(int index) const { return places_[index]; }
    bool full() const { return places_[Places - 1] != 0; }

private:
    std::array<unsigned char, Places> places_{};
};
