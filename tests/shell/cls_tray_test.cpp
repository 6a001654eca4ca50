#include "fake_desktop_tray.h"
#include "shell/cls_tray.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

struct TrayTest : ::testing::Test {
    FakeDesktopTray desktop;
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
    EXPECT_EQ(desktop.requests, (QStringList{"add 0 ", "add 0 ", "remove"}));
}

TEST_F(TrayTest, TooltipKeepsItsFieldRules)
{
    const QString longText(200, u'x');
    tray.setTooltip(longText);
    EXPECT_EQ(tray.Tooltip(), longText.left(127) + QChar(0));

    tray.setTooltip(QStringLiteral("Quindora R903 / V1.00"));
    tray.setTooltip(QString());
    EXPECT_TRUE(tray.Tooltip().startsWith(QStringLiteral("Quindora R903 / V1.00") + QChar(0)));

    tray.setTooltip(QString(QChar(0)));
    EXPECT_EQ(tray.Tooltip(), QString(128, QChar(0)));
}

TEST_F(TrayTest, AutoRefreshSendsIconAndTooltipChangesOnlyWhileShown)
{
    tray.setAutoRefresh(true);
    tray.setIcon(1);
    EXPECT_FALSE(tray.Refresh());
    tray.AddIcon();
    tray.setIcon(0);
    tray.setTooltip(QString(200, u'y'));
    tray.setAutoRefresh(false);
    tray.setIcon(1);
    const QString tip(127, u'y');
    EXPECT_EQ(desktop.requests, (QStringList{"add 1 ", "modify 0 ", "modify 0 " + tip}));
    EXPECT_TRUE(tray.Refresh());
    EXPECT_EQ(desktop.requests.last(), "modify 1 " + tip);
}

TEST_F(TrayTest, BalloonNeedsAShownIconAndFitsItsFields)
{
    EXPECT_FALSE(tray.ShowBalloonTip(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1));
    tray.RemoverBalloon();
    EXPECT_TRUE(desktop.requests.isEmpty());

    tray.AddIcon();
    EXPECT_TRUE(tray.ShowBalloonTip(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1));
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("balloon Quindora R903|Llamada pendiente|1|1"));
    tray.RemoverBalloon();
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("unballoon"));

    tray.ShowBalloonTip(QString(300, u'm'), QString(100, u't'), 1, 2.6);
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("balloon %1|%2|1|3").arg(QString(63, u't'), QString(255, u'm')));
}

TEST(TrayEvents, ClicksBecomeButtonEventsUntilTheInstanceEndsAndTakesItsIconAway)
{
    FakeDesktopTray desktop;
    std::vector<std::pair<char, int>> events;
    {
        clsTray tray{desktop};
        tray.MouseDown = [&](int b) { events.push_back({'d', b}); };
        tray.DoubleClick = [&](int b) { events.push_back({'2', b}); };
        tray.AddIcon();
        desktop.click(DesktopTray::Activation::Trigger);
        desktop.click(DesktopTray::Activation::Context);
        desktop.click(DesktopTray::Activation::DoubleClick);
    }
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("remove"));
    desktop.click(DesktopTray::Activation::Trigger); // would reach a destroyed instance
    EXPECT_EQ(events, (std::vector<std::pair<char, int>>{{'d', 0}, {'d', 1}, {'2', 0}}));
}

} // namespace
