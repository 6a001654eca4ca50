#include "fake_desktop.h"
#include "shell/tray_icon.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(Tray, TheIconIsAddedAndRemovedOnceAndChangesAndTheBalloonReachItOnlyWhileShown)
{
    FakeDesktop desktop;
    TrayIcon tray{desktop};
    tray.setAutoRefresh(true);
    tray.setIcon(1);
    EXPECT_FALSE(tray.showBalloon(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1));
    EXPECT_TRUE(tray.addIcon());
    EXPECT_FALSE(tray.addIcon());
    tray.setTooltip(QStringLiteral("Quindora R903"));
    EXPECT_TRUE(tray.showBalloon(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 2.6));
    EXPECT_TRUE(tray.removeIcon());
    EXPECT_FALSE(tray.removeIcon());
    tray.setIcon(0);
    EXPECT_EQ(desktop.log,
        (QStringList{"add 1 ", "modify 1 Quindora R903", "balloon Quindora R903|Llamada pendiente|1|3", "remove"}));
}

} // namespace
