// Cost of one status frame in the logic: applying it to the console state,
// repainting the changed panel elements, keeping the call journal and
// evaluating the command buttons.
#include "configuration/configuration.h"
#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "console/panel_view.h"
#include "platform/journal_store.h"
#include "platform/messages.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_timer.h"

#include <benchmark/benchmark.h>

#include <deque>
#include <mutex>
#include <random>

namespace
{

class NullPanelView final : public PanelView
{
public:
    void extensionChanged(int) override { ++changes; }
    void lineChanged(int) override { ++changes; }
    void commandButtonsChanged() override { ++changes; }
    void windowChanged() override { ++changes; }
    long changes = 0;
};

// Does on the console's thread what the day files' store does there: queues
// the call under a lock for the writer thread, which here takes a batch now
// and then and drops it.
class QueueingStore final : public JournalStore
{
public:
    void append(const CallEntry& entry) override
    {
        const std::lock_guard lock(mutex);
        queue.push_back(entry);
        ++calls;
        if (queue.size() == Batch)
            queue.clear();
    }
    void retry() override { }
    std::vector<CallEntry> finish() override { return {}; }
    int dropped() const override { return 0; }
    std::optional<QByteArray> readDay(const QDate&) override { return std::nullopt; }
    std::vector<QDate> days() override { return {}; }
    static constexpr std::size_t Batch = 64;
    std::mutex mutex;
    std::deque<CallEntry> queue;
    long calls = 0;
};

class NoMessages final : public Messages
{
public:
    void beep() override { }
    MessageAnswer show(const QString&, const QString&, MessageStyle) override { return MessageAnswer::Ok; }
};

using Frame = wire::StatusFrame;

// The logic a status frame goes through, with the journal on the real clocks.
struct FrameLogic {
    void apply(const Frame& frame)
    {
        panel.showFrame(console.applyFrame(frame));
        journal.frameApplied();
        panel.setCommandButtons(console.commandAvailability());
    }

    NullPanelView view;
    Panel panel{view};
    ConsoleState console;
    Configuration configuration;
    QueueingStore store;
    QtClock clock;
    NoMessages messages;
    QtTimer retryTimer; // never started: every call is written
    CallJournal journal{{store, clock, messages, console, configuration, retryTimer}};
};

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
    FrameLogic logic;
    std::size_t n = 0;
    for (auto _ : state)
        logic.apply(frames[n++ & 1023]);
    benchmark::DoNotOptimize(logic.view.changes);
    state.counters["calls/frame"] = benchmark::Counter(double(logic.store.calls), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(applyChangingFrames);

void applyRepeatedFrame(benchmark::State& state)
{
    const Frame frame = randomFrames(1).front();
    FrameLogic logic;
    for (auto _ : state)
        logic.apply(frame);
    benchmark::DoNotOptimize(logic.view.changes);
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
        panel.slowBlink(console.codes());
    benchmark::DoNotOptimize(view.changes);
}
BENCHMARK(blinkTick);

} // namespace
