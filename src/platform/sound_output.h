#pragma once

#include <cstdint>
#include <vector>

// A 16-bit mono PCM buffer at 44100 samples/s, filled once, played on demand.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // False when no device or no supported format: the console stays silent.
    virtual bool prepare(const std::vector<std::int16_t>& samples) = 0;
    // Plays the buffer once from its start (stop, rewind, start).
    virtual void play() = 0;
};
