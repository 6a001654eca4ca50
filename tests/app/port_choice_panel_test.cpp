#include "app/port_choice_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{

class PortChoicePanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(600, 400);
        panel = new PortChoicePanel(&window);
        panel->onAccept([this](const std::optional<QString>& entry) { accepted.push_back(entry); });
        window.show();
    }

    QPoint centreOf(int row) const { return panel->list()->visualItemRect(panel->list()->item(row)).center(); }

    QWidget window;
    PortChoicePanel* panel = nullptr;
    std::vector<std::optional<QString>> accepted;
};

} // namespace

TEST_F(PortChoicePanelTest, OffersSixteenPortsWithTheirDevicesAndNoSelection)
{
    EXPECT_FALSE(panel->isVisible()); // hidden until a port fails
    EXPECT_EQ(panel->prompt()->text(), "Seleccione puerto");
    EXPECT_EQ(panel->acceptButton()->text(), "&Acepta");
    QListWidget* list = panel->list();
    ASSERT_EQ(list->count(), 16);
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(list->item(row)->text(), QString::number(row + 1));
    EXPECT_TRUE(list->selectedItems().isEmpty());
#ifndef Q_OS_WIN
    EXPECT_EQ(list->item(0)->toolTip(), "/dev/ttyS0");
    EXPECT_EQ(list->item(4)->toolTip(), "/dev/ttyUSB0");
    EXPECT_EQ(list->item(15)->toolTip(), "/dev/ttyACM3");
#endif
}

TEST_F(PortChoicePanelTest, AceptaHandsOverTheSelectedEntryOrNothing)
{
    PortChoiceView& view = *panel;
    view.show();
    ASSERT_TRUE(panel->isVisible());
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(2));
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    ASSERT_EQ(accepted.size(), 2u);
    EXPECT_EQ(accepted[0], std::nullopt);
    EXPECT_EQ(accepted[1], QStringLiteral("3"));
    view.hide();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(PortChoicePanelTest, DoubleClickOnAnEntryAccepts)
{
    panel->show();
    // A real double-click is a press and release, then the double-click event.
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseDClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(1));
    ASSERT_FALSE(accepted.empty());
    EXPECT_EQ(accepted.back(), QStringLiteral("2"));
}

TEST_F(PortChoicePanelTest, ClickOnThePromptDoesNothing)
{
    panel->show();
    QTest::mouseClick(panel->prompt(), Qt::LeftButton);
    EXPECT_TRUE(accepted.empty());
}

TEST_F(PortChoicePanelTest, FocusGoesBackToTheList)
{
    panel->show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    panel->acceptButton()->setFocus();
    panel->focusList();
    EXPECT_TRUE(panel->list()->hasFocus());
}
