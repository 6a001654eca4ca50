#include "fake_desktop.h"
#include "shell/cls_tray.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

struct TrayTest : ::testing::Test {
    FakeDesktop desktop;
    clsTray tray{desktop};
};

TEST_F(TrayTest, TheIconIsAddedOnceWithOrWithoutANotificationAreaAndRemovedOnlyWhenShown)
{
    desktop.adds = false;
    EXPECT_FALSE(tray.AddIcon());
    EXPECT_FALSE(tray.RemoveIcon());
    desktop.adds = true;
    desktop.area = false;
    EXPECT_TRUE(tray.AddIcon());
    EXPECT_FALSE(tray.AddIcon());
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(tray.RemoveIcon());
    EXPECT_EQ(desktop.log, (QStringList{"add 0 ", "add 0 ", "remove"}));
}

TEST_F(TrayTest, TooltipAndBalloonAreCutToTheirFieldsAndChangesReachOnlyAShownIcon)
{
    tray.setAutoRefresh(true);
    tray.setIcon(1);
    EXPECT_FALSE(tray.ShowBalloonTip(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1));
    EXPECT_TRUE(desktop.log.isEmpty());
    tray.AddIcon();
    tray.setTooltip(QString(200, u'y'));
    tray.setTooltip(QString()); // an empty text leaves the field
    EXPECT_TRUE(tray.ShowBalloonTip(QString(300, u'm'), QString(100, u't'), 1, 2.6));
    const QString tip = "modify 1 " + QString(127, u'y');
    EXPECT_EQ(desktop.log,
        (QStringList{
            "add 1 ", tip, tip, QStringLiteral("balloon %1|%2|1|3").arg(QString(63, u't'), QString(255, u'm'))}));
}

} // namespace
