#include "fake_desktop.h"
#include "shell/pending_call_alert.h"
#include "virtual_clock.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

// The alert on a shown tray icon; what it traces and plays is stamped with its time.
TEST(PendingCallAlert, AWaitingCallSoundsAndFlashesAt1800MsOfEach2000UntilAStopRestoresTheIconAtOnce)
{
    VirtualClock clock;
    std::unique_ptr<VirtualTimer> alertTimer = clock.createTimer();
    FakeDesktop desktop;
    desktop.clock = &clock;
    TrayIcon tray{desktop};
    tray.setAutoRefresh(true);
    tray.addIcon();
    PendingCallAlert alert{*alertTimer, desktop, tray, desktop};

    clock.advanceMs(1000);
    alert.stop(); // not running: not traced
    alert.start();
    alert.start(); // running: not traced again
    clock.advanceMs(3900);
    alert.stop();
    alert.stop();
    clock.advanceMs(10000);
    alert.start(); // a restart waits the whole quiet time again
    clock.advanceMs(1800);
    EXPECT_EQ(desktop.trace,
        (QStringList{"1000 alert on", "2800 play", "2800 tone", "2800 icon 1", "3000 icon 0", "4800 play", "4800 tone",
            "4800 icon 1", "4900 alert off", "4900 icon 0", "14900 alert on", "16700 play", "16700 tone",
            "16700 icon 1"}));
}

} // namespace
