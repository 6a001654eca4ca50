#include "shell/alert_tone.h"

#include <cmath>
#include <numbers>

std::vector<std::int16_t> makeAlertTone()
{
    std::vector<std::int16_t> samples(ToneSamples);
    for (int n = 0; n < ToneSamples; ++n) {
        const double t = 2 * std::numbers::pi * n / ToneSampleRate;
        samples[n] = std::int16_t(std::lround((std::sin(440 * t) + std::sin(350 * t)) * 10000));
    }
    return samples;
}
