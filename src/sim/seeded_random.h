#pragma once

#include <cstdint>

// A small seeded generator (SplitMix64): the same seed gives the same
// sequence on every platform, so a simulated day can be replayed.
class SeededRandom
{
public:
    explicit SeededRandom(std::uint64_t seed)
        : state_(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [low, high].
    int between(int low, int high) { return low + int(next() % std::uint64_t(high - low + 1)); }
    // True once in `n` draws on average.
    bool oneIn(int n) { return next() % std::uint64_t(n) == 0; }

private:
    std::uint64_t state_;
};
