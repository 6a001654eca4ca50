#include "console/blink_timers.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "recording_panel_view.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{

// The console's panel on its recording view, with its blink timers on a virtual clock.
struct PanelTest : ::testing::Test {
    RecordingPanelView view;
    Panel panel{view};
    ConsoleState state;
    VirtualClock clock;
    std::unique_ptr<VirtualTimer> slowTimer = clock.createTimer();
    std::unique_ptr<VirtualTimer> fastTimer = clock.createTimer();
    BlinkTimers blink{*slowTimer, *fastTimer, panel, state};

    // What start-up does: both intervals set.
    void startBlinking()
    {
        slowTimer->setInterval(BlinkTimers::SlowMs);
        fastTimer->setInterval(BlinkTimers::FastMs);
    }
    void frame(std::initializer_list<std::pair<int, int>> codes) // (frame position, code)
    {
        wire::StatusFrame f{};
        for (auto [index, code] : codes)
            f[index] = std::uint8_t(code);
        panel.showFrame(state.applyFrame(f));
    }
    bool white(int position) const
    {
        const Indicator& ind = position < 19 ? panel.extension(position) : panel.line(position - 19);
        return ind.drawMode == DrawMode::White;
    }
    // The phases after each of `steps` 250 ms steps (W white, . normal) of
    // every indicator that was ever white, by frame position.
    std::map<int, std::string> phases(int steps)
    {
        std::map<int, std::string> all;
        for (int s = 0; s < steps; ++s) {
            clock.advanceMs(250);
            for (int index = 0; index < 25; ++index)
                all[index] += white(index) ? 'W' : '.';
        }
        std::erase_if(all, [](const auto& phase) { return phase.second.find('W') == std::string::npos; });
        return all;
    }
};

} // namespace

TEST_F(PanelTest, EachCodeBlinksAtItsOwnPaceOnceStarted)
{
    frame({{3, 3}, {4, 5}, {22, 3}});
    clock.advanceMs(500);
    EXPECT_TRUE(phases(1).empty()) << "nothing blinks before the start";
    startBlinking();
    // Slots 1-10 hold the codes 0-6, 0x80, 0xC4 and 7; lines 1-6 the codes 0-5, then 6 and 7.
    frame({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 0x80}, {8, 0xC4}, {9, 7}, {19, 0}, {20, 1},
        {21, 2}, {22, 3}, {23, 4}, {24, 5}});
    const std::string slow = ".WW..WW.", fast = "W.W.W.W.";
    EXPECT_EQ(phases(8), (std::map<int, std::string>{{3, slow}, {5, fast}, {22, slow}, {23, fast}, {24, fast}}));
    frame({{19, 6}, {20, 7}});
    EXPECT_EQ(phases(8), (std::map<int, std::string>{{19, slow}, {20, slow}}));
}

TEST_F(PanelTest, SteadyCodesBringTheColourBackAtTheNextSlowTickOthersKeepTheirPhase)
{
    startBlinking();
    frame({{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}, {19, 3}, {20, 3}, {21, 3},
        {22, 3}, {23, 3}, {24, 3}});
    clock.advanceMs(500); // all white
    // Steady: slots 1-5 (0, 1, 2, 4, 6), lines 1-3 (0, 1, 2). Left alone: slots
    // 6-9 (0x80, 0xC0, 7, 100), lines 4-5 (8, 0xFF). Slot 10 keeps blinking, slot 11
    // starts; line 6 blinks fast.
    frame({{0, 0}, {1, 1}, {2, 2}, {3, 4}, {4, 6}, {5, 0x80}, {6, 0xC0}, {7, 7}, {8, 100}, {9, 3}, {10, 3}, {19, 0},
        {20, 1}, {21, 2}, {22, 8}, {23, 0xFF}, {24, 4}});
    const std::string steady = "W.", kept = "WW";
    EXPECT_EQ(phases(2),
        (std::map<int, std::string>{{0, steady}, {1, steady}, {2, steady}, {3, steady}, {4, steady}, {5, kept},
            {6, kept}, {7, kept}, {8, kept}, {9, "W."}, {10, ".W"}, {19, steady}, {20, steady}, {21, steady},
            {22, kept}, {23, kept}, {24, ".W"}}));
    // Only what changes is reported: the two slow blinkers, and line 6 on both fast ticks.
    view.clear();
    clock.advanceMs(500);
    EXPECT_EQ(view.extensions, (std::vector<int>{9, 10}));
    EXPECT_EQ(view.lines, (std::vector<int>{5, 5}));
}

TEST_F(PanelTest, ATimerWithNothingToChangeRestsAndAFrameThatGivesItWorkStartsItAgain)
{
    startBlinking();
    clock.advanceMs(500);
    EXPECT_FALSE(slowTimer->running() || fastTimer->running()) << "all free: nothing to wake for";

    // Slot 4 called: the slow timer starts from the frame, the fast one rests.
    clock.advanceUs(123'456);
    frame({{3, 3}});
    EXPECT_FALSE(fastTimer->running());
    clock.advanceUs(499'999);
    EXPECT_FALSE(white(3));
    clock.advanceUs(1);
    EXPECT_TRUE(white(3));

    // Held while white: the fast timer takes it over and the slow one, with no
    // phase left to change, rests after its next tick.
    frame({{3, 5}});
    EXPECT_EQ(phases(4).at(3), ".W.W");
    EXPECT_FALSE(slowTimer->running());

    // Freed while white: the fast timer leaves it, so the slow one wakes to bring
    // the colour back, one slow phase after the frame, then both rest.
    ASSERT_TRUE(white(3));
    frame({{3, 0}});
    clock.advanceMs(499);
    EXPECT_TRUE(white(3));
    clock.advanceMs(1);
    EXPECT_FALSE(white(3));
    clock.advanceMs(500);
    EXPECT_FALSE(slowTimer->running() || fastTimer->running());
}
