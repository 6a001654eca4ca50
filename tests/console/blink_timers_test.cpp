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

using Frame = std::array<std::uint8_t, protocol::StatusFrameLength>;

struct Blinking : ::testing::Test {
    VirtualClock clock;
    std::unique_ptr<VirtualTimer> timer1 = clock.createTimer();
    std::unique_ptr<VirtualTimer> timer2 = clock.createTimer();
    RecordingPanelView view;
    Panel panel{view};
    ConsoleState state;
    BlinkTimers blink{*timer1, *timer2, panel, state};

    void frame(std::initializer_list<std::pair<int, int>> codes) // (Estados index, code)
    {
        Frame f{};
        for (auto [index, code] : codes)
            f[index] = std::uint8_t(code);
        panel.showFrame(state.applyFrame(f));
    }
    bool white(int estadosIndex) const
    {
        const Indicator& ind = estadosIndex < 19 ? panel.extension(estadosIndex) : panel.line(estadosIndex - 19);
        return ind.drawMode == DrawMode::White;
    }
    // Phases of some elements sampled after each of `steps` 250 ms steps: W white, . normal.
    std::map<int, std::string> phases(std::initializer_list<int> indexes, int steps)
    {
        std::map<int, std::string> out;
        for (int s = 0; s < steps; ++s) {
            clock.advanceMs(250);
            for (int index : indexes)
                out[index] += white(index) ? 'W' : '.';
        }
        return out;
    }
};

} // namespace

TEST_F(Blinking, NothingBlinksBeforeStart)
{
    frame({{2, 3}, {3, 5}});
    clock.advanceMs(5000);
    EXPECT_FALSE(white(2));
    EXPECT_FALSE(white(3));
    EXPECT_EQ(timer1->interval(), 0);
}

TEST_F(Blinking, SlowFastAndSteadyCodesOverTime)
{
    blink.start();
    EXPECT_EQ(timer1->interval(), 500);
    EXPECT_EQ(timer2->interval(), 250);
    frame({{0, 3}, {1, 5}, {2, 4}, {3, 1}, {19, 6}, {20, 4}, {21, 5}, {22, 3}, {23, 7}, {24, 1}});
    const std::map<int, std::string> expected = {{0, ".WW..WW."}, {1, "W.W.W.W."}, {2, "........"}, {3, "........"},
        {19, ".WW..WW."}, {20, "W.W.W.W."}, {21, "W.W.W.W."}, {22, ".WW..WW."}, {23, ".WW..WW."}, {24, "........"}};
    EXPECT_EQ(phases({0, 1, 2, 3, 19, 20, 21, 22, 23, 24}, 8), expected);
}

TEST_F(Blinking, SteadyCodeRestoresCopyAtTheNextSlowTick)
{
    blink.start();
    frame({{6, 5}, {20, 3}});
    clock.advanceMs(500); // slot 7 toggled twice, line 2 once
    ASSERT_TRUE(white(20));
    frame({{6, 5}, {20, 0}});
    clock.advanceMs(250); // fast tick only
    EXPECT_TRUE(white(20));
    clock.advanceMs(250);
    EXPECT_FALSE(white(20));
}

TEST_F(Blinking, OwnExtensionAndUnlistedCodesKeepTheirPhase)
{
    blink.start();
    frame({{0, 3}, {1, 5}, {19, 3}});
    clock.advanceMs(500);
    clock.advanceMs(250);
    ASSERT_TRUE(white(0) && white(1) && white(19));
    frame({{0, 0x80}, {1, 9}, {19, 8}});
    clock.advanceMs(2000);
    EXPECT_TRUE(white(0));
    EXPECT_TRUE(white(1));
    EXPECT_TRUE(white(19));
}

TEST_F(Blinking, IndicatorsStartedOnDifferentTicksBlinkInOppositePhase)
{
    blink.start();
    frame({{0, 3}});
    clock.advanceMs(500);
    frame({{0, 3}, {1, 3}});
    for (int tick = 0; tick < 4; ++tick) {
        clock.advanceMs(500);
        EXPECT_NE(white(0), white(1)) << tick;
    }
}

TEST_F(Blinking, OnlyChangedIndicatorsAreReported)
{
    blink.start();
    frame({{5, 3}});
    view.clear();
    clock.advanceMs(500);
    EXPECT_EQ(view.extensions, std::vector<int>({5}));
    EXPECT_TRUE(view.lines.empty());
}
