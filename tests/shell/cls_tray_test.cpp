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

TEST_F(TrayTest, AddIconOnlyOnceAndRemoveOnlyWhatIsShown)
{
    EXPECT_FALSE(tray.RemoveIcon());
    EXPECT_TRUE(tray.AddIcon());
    EXPECT_TRUE(tray.Visible());
    EXPECT_FALSE(tray.AddIcon());
    EXPECT_EQ(desktop.requests.count(QStringLiteral("add 0 ")), 1);
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.RemoveIcon());
    EXPECT_EQ(desktop.requests.count(QStringLiteral("remove")), 1);
}

TEST_F(TrayTest, AddIconSucceedsWithoutANotificationArea)
{
    desktop.area = false;
    EXPECT_TRUE(tray.AddIcon());
}

TEST_F(TrayTest, AddIconFailsOnlyWhenTheRequestCannotBeMade)
{
    desktop.adds = false;
    EXPECT_FALSE(tray.AddIcon());
    EXPECT_FALSE(tray.Visible());
}

TEST_F(TrayTest, TooltipKeepsItsFieldRules)
{
    const QString longText(200, u'x');
    tray.setTooltip(longText);
    EXPECT_EQ(tray.Tooltip().size(), 128);
    EXPECT_EQ(tray.Tooltip().left(127), longText.left(127));
    EXPECT_EQ(tray.Tooltip()[127], QChar(0));

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
    EXPECT_TRUE(desktop.requests.isEmpty());
    tray.AddIcon();
    tray.setIcon(0);
    tray.setTooltip(QString(200, u'y'));
    EXPECT_EQ(desktop.requests.mid(1),
        (QStringList{QStringLiteral("modify 0 "), QStringLiteral("modify 0 ") + QString(127, u'y')}));
    tray.setAutoRefresh(false);
    tray.setIcon(1);
    EXPECT_EQ(desktop.requests.size(), 3);
    EXPECT_TRUE(tray.Refresh());
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("modify 1 ") + QString(127, u'y'));
}

TEST_F(TrayTest, BalloonNeedsAShownIconAndFitsItsFields)
{
    EXPECT_FALSE(tray.ShowBalloonTip(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1));
    tray.RemoverBalloon();
    EXPECT_FALSE(tray.Refresh());
    EXPECT_TRUE(desktop.requests.isEmpty());

    tray.AddIcon();
    EXPECT_TRUE(tray.ShowBalloonTip(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1));
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("balloon Quindora R903|Llamada pendiente|1|1"));
    tray.RemoverBalloon();
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("unballoon"));

    tray.ShowBalloonTip(QString(300, u'm'), QString(100, u't'), 1, 2.6);
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("balloon %1|%2|1|3").arg(QString(63, u't'), QString(255, u'm')));
}

TEST_F(TrayTest, ClicksBecomeButtonEvents)
{
    std::vector<std::pair<char, int>> events;
    tray.MouseDown = [&](int b) { events.push_back({'d', b}); };
    tray.DoubleClick = [&](int b) { events.push_back({'2', b}); };
    desktop.click(DesktopTray::Activation::Trigger);
    desktop.click(DesktopTray::Activation::Context);
    desktop.click(DesktopTray::Activation::DoubleClick);
    EXPECT_EQ(events, (std::vector<std::pair<char, int>>{{'d', 0}, {'d', 1}, {'2', 0}}));
}

TEST(TrayLifetime, AnInstanceThatEndsRemovesItsIcon)
{
    FakeDesktopTray desktop;
    {
        clsTray tray{desktop};
        tray.AddIcon();
    }
    EXPECT_EQ(desktop.requests.last(), QStringLiteral("remove"));
    desktop.click(DesktopTray::Activation::Trigger); // no instance listens any more
}

} // namespace
