#include "fake_desktop.h"
#include "shell/pending_call_alert.h"
#include "virtual_clock.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

// The alert on a shown tray icon; the tones are recorded at their times in ms.
struct AlertTest : ::testing::Test {
    AlertTest()
    {
        desktop.clock = &clock;
        tray.setAutoRefresh(true);
        tray.AddIcon();
    }

    VirtualClock clock;
    std::unique_ptr<VirtualTimer> timer4 = clock.createTimer();
    FakeDesktop desktop;
    clsTray tray{desktop};
    PendingCallAlert alert{*timer4, desktop, tray, desktop};
};

TEST_F(AlertTest, PrepareHandsTheToneBufferToTheSoundOutputAndWithoutADeviceTheIconStillFlashes)
{
    desktop.device = false;
    alert.prepare();
    EXPECT_EQ(desktop.samples.size(), 8820u); // 0.2 s at 44100 samples/s; its tones are measured on the desktop
    alert.start();
    clock.advanceMs(1800);
    EXPECT_EQ(desktop.iconImage, 1);
}

TEST_F(AlertTest, AWaitingCallSoundsAndFlashesAt1800MsOfEach2000UntilAStopRestoresTheIconAtOnce)
{
    clock.advanceMs(1000);
    alert.stop(); // not running: not traced
    alert.start();
    alert.start(); // running: not traced again
    std::vector<int> icons;
    for (int ms : {1799, 1800, 1999, 2000, 3799, 3800, 3900}) {
        clock.advanceUs((1000 + ms) * 1000LL - clock.nowUs());
        icons.push_back(desktop.iconImage);
    }
    EXPECT_EQ(icons, (std::vector<int>{0, 1, 1, 0, 0, 1, 1}));
    alert.stop();
    alert.stop();
    EXPECT_EQ(desktop.iconImage, 0);
    EXPECT_FALSE(alert.running());
    EXPECT_EQ(
        desktop.trace, (QStringList{"alert on", "tone", "icon 1", "icon 0", "tone", "icon 1", "alert off", "icon 0"}));
    clock.advanceMs(10000);
    EXPECT_EQ(desktop.tonesMs, (std::vector<std::int64_t>{2800, 4800}));

    alert.start(); // a restart waits the whole quiet time again
    clock.advanceMs(1799);
    EXPECT_EQ(desktop.tonesMs.size(), 2u);
    clock.advanceMs(1);
    EXPECT_EQ(desktop.tonesMs, (std::vector<std::int64_t>{2800, 4800, 16700}));
}

} // namespace
