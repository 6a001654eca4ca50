// Cost of one status frame in the logic: applying it to the console state,
// repainting the changed panel elements and evaluating the command buttons.
#include "console/console_state.h"
#include "console/panel.h"
#include "platform/panel_view.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

class NullPanelView final : public PanelView {
public:
    void extensionChanged(int) override { ++changes; }
    void lineChanged(int) override { ++changes; }
    void commandButtonsChanged() override { ++changes; }
    void windowChanged() override { ++changes; }
    long changes = 0;
};

using Frame = std::array<std::uint8_t, protocol::StatusFrameLength>;

// Frames where every slot and line takes a random valid code, the console's
// own extension engaged in slot 19.
std::vector<Frame> randomFrames(int count)
{
    std::mt19937 rng(903);
    std::uniform_int_distribution<int> extension(0, 6);
    std::uniform_int_distribution<int> line(0, 7);
    std::vector<Frame> frames(count);
    for (Frame& f : frames) {
        for (int i = 0; i < 18; ++i)
            f[i] = std::uint8_t(extension(rng));
        f[18] = 0xC0;
        for (int k = 19; k < 25; ++k)
            f[k] = std::uint8_t(line(rng));
    }
    return frames;
}

void applyChangingFrames(benchmark::State& state)
{
    const auto frames = randomFrames(1024);
    NullPanelView view;
    Panel panel(view);
    ConsoleState console;
    std::size_t n = 0;
    for (auto _ : state) {
        panel.showFrame(console.applyFrame(frames[n++ & 1023]));
        panel.setCommandButtons(console.commandAvailability());
    }
    benchmark::DoNotOptimize(view.changes);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(applyChangingFrames);

void applyRepeatedFrame(benchmark::State& state)
{
    const Frame frame = randomFrames(1).front();
    NullPanelView view;
    Panel panel(view);
    ConsoleState console;
    for (auto _ : state) {
        panel.showFrame(console.applyFrame(frame));
        panel.setCommandButtons(console.commandAvailability());
    }
    benchmark::DoNotOptimize(view.changes);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(applyRepeatedFrame);

void blinkTick(benchmark::State& state)
{
    NullPanelView view;
    Panel panel(view);
    ConsoleState console;
    console.applyFrame(randomFrames(1).front());
    for (auto _ : state)
        panel.slowBlink(console.estados());
    benchmark::DoNotOptimize(view.changes);
}
BENCHMARK(blinkTick);

} // namespace
