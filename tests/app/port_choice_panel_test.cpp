#include "app/port_choice_panel.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{

// The panel on a window, recording what it hands over.
struct PortChoicePanelTest : ::testing::Test {
    PortChoicePanelTest()
    {
        window.resize(600, 400);
        panel->onAccept([this](const std::optional<QString>& entry) { accepted.push_back(entry); });
        window.show();
    }

    QPoint centreOf(int row) const { return panel->list()->visualItemRect(panel->list()->item(row)).center(); }

    QWidget window;
    PortChoicePanel* panel = new PortChoicePanel(&window);
    std::vector<std::optional<QString>> accepted;
};

} // namespace

// The entries are the port numbers, each with its device as tooltip; none is chosen at first.
TEST_F(PortChoicePanelTest, AceptaOrADoubleClickHandsOverTheSelectedPortOrNothing)
{
    EXPECT_FALSE(panel->isVisible());
    ASSERT_EQ(panel->list()->count(), 16);
#ifndef Q_OS_WIN
    EXPECT_EQ(panel->list()->item(4)->toolTip(), "/dev/ttyUSB0");
#endif
    PortChoiceView& view = *panel;
    view.show();
    ASSERT_TRUE(panel->isVisible());
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    panel->acceptButton()->setFocus();
    view.focusList();
    EXPECT_TRUE(panel->list()->hasFocus());
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(2));
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    // A real double-click is a press and release, then the double-click event.
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseDClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(accepted, (std::vector<std::optional<QString>>{std::nullopt, QStringLiteral("3"), QStringLiteral("2")}));
}
