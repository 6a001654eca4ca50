#include "shell/alert_tone.h"

#include <cmath>
#include <complex>
#include <numbers>

// Each tone turns by a fixed step a sample: one multiplication, not a sine.
std::vector<std::int16_t> makeAlertTone()
{
    const auto step = [](double hz) { return std::polar(1.0, 2 * std::numbers::pi * hz / ToneSampleRate); };
    const std::complex<double> highStep = step(440), lowStep = step(350);
    std::complex<double> high = 1, low = 1;
    std::vector<std::int16_t> samples(ToneSamples);
    for (std::int16_t& sample : samples) {
        sample = std::int16_t(std::lround((high.imag() + low.imag()) * 10000));
        high *= highStep;
        low *= lowStep;
    }
    return samples;
}
