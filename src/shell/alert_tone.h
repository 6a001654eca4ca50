#pragma once

#include <cstdint>
#include <vector>

// The alert tone: 0.2 s of 440 Hz plus 350 Hz at 44100 samples/s, 16-bit mono.
inline constexpr int ToneSampleRate = 44100;
inline constexpr int ToneSamples = 8820;

std::vector<std::int16_t> makeAlertTone();
