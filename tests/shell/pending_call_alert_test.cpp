#include "fake_desktop_tray.h"
#include "fake_sound_output.h"
#include "recording_shell_events.h"
#include "shell/buffer_tono.h"
#include "shell/pending_call_alert.h"
#include "virtual_clock.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

struct AlertTest : ::testing::Test {
    AlertTest()
    {
        tray.setAutoRefresh(true);
        tray.AddIcon();
        sound.playedAt = [this] { tones.push_back(clock.nowUs() / 1000); };
        clock.advanceMs(1000); // the alert starts at 1000 ms on the clock
    }

    // Icon shown by the desktop at each of the given milliseconds after the start.
    std::vector<int> iconsAt(std::initializer_list<int> msAfterStart)
    {
        std::vector<int> icons;
        for (int ms : msAfterStart) {
            clock.advanceUs((1000 + ms) * 1000LL - clock.nowUs());
            icons.push_back(desktop.icon);
        }
        return icons;
    }

    VirtualClock clock;
    std::unique_ptr<VirtualTimer> timer4 = clock.createTimer();
    FakeDesktopTray desktop;
    FakeSoundOutput sound;
    RecordingShellEvents events;
    clsTray tray{desktop};
    PendingCallAlert alert{*timer4, sound, tray, events};
    std::vector<std::int64_t> tones;
};

TEST(BufferTono, HoldsTwoTonesAtTheirLevels)
{
    const std::vector<std::int16_t> s = makeBufferTono();
    ASSERT_EQ(s.size(), 8820u);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[25], 19479);
    EXPECT_EQ(s[1], 1125); // sin(2pi*440/44100)+sin(2pi*350/44100), x 10000
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    EXPECT_LT(*hi, 20000);
    EXPECT_GT(*lo, -20000);
}

TEST_F(AlertTest, PrepareHandsTheToneToTheSoundOutput)
{
    alert.prepare();
    EXPECT_EQ(sound.prepares, 1);
    EXPECT_EQ(sound.samples, makeBufferTono());
}

TEST_F(AlertTest, ACallWaitingFiveSecondsSoundsTwiceAndFlashesTwice)
{
    alert.start();
    EXPECT_EQ(
        iconsAt({1799, 1800, 1999, 2000, 3799, 3800, 3999, 4000, 5000}), (std::vector<int>{0, 1, 1, 0, 0, 1, 1, 0, 0}));
    alert.stop();
    EXPECT_EQ(tones, (std::vector<std::int64_t>{2800, 4800}));
    EXPECT_EQ(
        events.lines, (QStringList{"alert on", "tone", "icon 1", "icon 0", "tone", "icon 1", "icon 0", "alert off"}));
    clock.advanceMs(10000);
    EXPECT_EQ(tones.size(), 2u);
}

TEST_F(AlertTest, AStopInTheFlashPhaseRestoresTheIconAtOnceAndARestartWaitsAgain)
{
    alert.start();
    clock.advanceMs(1900);
    EXPECT_EQ(desktop.icon, 1);
    alert.stop();
    EXPECT_EQ(desktop.icon, 0);
    EXPECT_FALSE(alert.running());
    clock.advanceMs(5000);
    EXPECT_EQ(tones.size(), 1u);

    const std::int64_t restart = clock.nowUs() / 1000;
    alert.start();
    clock.advanceMs(1799);
    EXPECT_EQ(tones.size(), 1u);
    clock.advanceMs(1);
    ASSERT_EQ(tones.size(), 2u);
    EXPECT_EQ(tones[1], restart + 1800);
}

TEST_F(AlertTest, StartAndStopAreTracedOnlyWhenTheStateChanges)
{
    alert.stop();
    alert.start();
    alert.start();
    alert.stop();
    alert.stop();
    EXPECT_EQ(events.lines, (QStringList{"alert on", "alert off"}));
}

TEST_F(AlertTest, WithoutASoundDeviceTheIconStillFlashes)
{
    sound.device = false;
    alert.prepare();
    alert.start();
    clock.advanceMs(1800);
    EXPECT_EQ(desktop.icon, 1);
}

} // namespace
