#include "fake_desktop_tray.h"
#include "fake_sound_output.h"
#include "recording_shell_events.h"
#include "shell/pending_call_alert.h"
#include "virtual_clock.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

// The alert on a shown tray icon; each tone is recorded at its time in ms.
struct AlertTest : ::testing::Test {
    AlertTest()
    {
        tray.setAutoRefresh(true);
        tray.AddIcon();
        sound.playedAt = [this] { tones.push_back(clock.nowUs() / 1000); };
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

TEST_F(AlertTest, PrepareHandsTheTwoToneBufferToTheSoundOutputAndWithoutADeviceTheIconStillFlashes)
{
    sound.device = false;
    alert.prepare();
    ASSERT_EQ(sound.samples.size(), 8820u); // 0.2 s at 44100 samples/s
    EXPECT_EQ(sound.samples[1], 1125); // (sin(2pi 440/44100) + sin(2pi 350/44100)) x 10000
    EXPECT_EQ(sound.samples[25], 19479);
    alert.start();
    clock.advanceMs(1800);
    EXPECT_EQ(desktop.icon, 1);
}

TEST_F(AlertTest, ACallWaitingFiveSecondsSoundsAndFlashesAt1800MsOfEach2000)
{
    clock.advanceMs(1000);
    alert.start();
    std::vector<int> icons;
    for (int ms : {1799, 1800, 1999, 2000, 3799, 3800, 3999, 4000, 5000}) {
        clock.advanceUs((1000 + ms) * 1000LL - clock.nowUs());
        icons.push_back(desktop.icon);
    }
    EXPECT_EQ(icons, (std::vector<int>{0, 1, 1, 0, 0, 1, 1, 0, 0}));
    alert.stop();
    EXPECT_EQ(tones, (std::vector<std::int64_t>{2800, 4800}));
    EXPECT_EQ(
        events.lines, (QStringList{"alert on", "tone", "icon 1", "icon 0", "tone", "icon 1", "icon 0", "alert off"}));
    clock.advanceMs(10000);
    EXPECT_EQ(tones.size(), 2u);
}

TEST_F(AlertTest, AStopInTheFlashPhaseRestoresTheIconAtOnceAndARestartWaitsAgain)
{
    alert.stop(); // not running: not traced
    alert.start();
    alert.start(); // running: not traced again
    clock.advanceMs(1900);
    EXPECT_EQ(desktop.icon, 1);
    alert.stop();
    alert.stop();
    EXPECT_EQ(desktop.icon, 0);
    EXPECT_FALSE(alert.running());
    EXPECT_EQ(events.lines, (QStringList{"alert on", "tone", "icon 1", "alert off", "icon 0"}));
    clock.advanceMs(5000);

    alert.start();
    clock.advanceMs(1799);
    EXPECT_EQ(tones.size(), 1u);
    clock.advanceMs(1);
    EXPECT_EQ(tones, (std::vector<std::int64_t>{1800, 8700}));
}

} // namespace
