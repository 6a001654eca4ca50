#pragma once

#include "platform/sound_output.h"

#include <functional>

// Keeps the prepared samples and counts the plays; `playedAt` reports each.
class FakeSoundOutput final : public SoundOutput
{
public:
    bool prepare(const std::vector<std::int16_t>& s) override
    {
        samples = s;
        ++prepares;
        return device;
    }
    void play() override
    {
        ++plays;
        if (playedAt)
            playedAt();
    }

    bool device = true;
    int prepares = 0;
    int plays = 0;
    std::vector<std::int16_t> samples;
    std::function<void()> playedAt;
};
