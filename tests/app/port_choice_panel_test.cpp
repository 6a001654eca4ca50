#include "app/port_choice_panel.h"

#include <QLabel>
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

TEST_F(PortChoicePanelTest, HiddenUntilShownItOffersSixteenPortsWithTheirDevicesAndNoSelection)
{
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->prompt()->text(), "Seleccione puerto");
    EXPECT_EQ(panel->acceptButton()->text(), "&Acepta");
    QListWidget* list = panel->list();
    ASSERT_EQ(list->count(), 16);
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(list->item(row)->text(), QString::number(row + 1));
    EXPECT_TRUE(list->selectedItems().isEmpty());
#ifndef Q_OS_WIN
    EXPECT_EQ(list->item(4)->toolTip(), "/dev/ttyUSB0");
#endif
}

TEST_F(PortChoicePanelTest, FocusGoesToTheListAndAceptaOrADoubleClickHandsOverTheSelectedEntryOrNothing)
{
    PortChoiceView& view = *panel;
    view.show();
    ASSERT_TRUE(panel->isVisible());
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    panel->acceptButton()->setFocus();
    view.focusList();
    EXPECT_TRUE(panel->list()->hasFocus());
    QTest::mouseClick(panel->prompt(), Qt::LeftButton); // does nothing
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(2));
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    // A real double-click is a press and release, then the double-click event.
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseDClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(accepted, (std::vector<std::optional<QString>>{std::nullopt, QStringLiteral("3"), QStringLiteral("2")}));
    view.hide();
    EXPECT_FALSE(panel->isVisible());
}
