#include "app/port_choice_panel.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{

QPoint centreOf(const PortChoicePanel& panel, int row)
{
    return panel.list()->visualItemRect(panel.list()->item(row)).center();
}

// The entries are the port numbers, none chosen at first; the panel stays
// hidden until asked for.
TEST(PortChoicePanel, AceptaOrADoubleClickHandsOverTheSelectedPortOrNothing)
{
    QWidget window;
    auto* panel = new PortChoicePanel(&window);
    std::vector<std::optional<QString>> accepted;
    panel->onAccept([&accepted](const std::optional<QString>& entry) { accepted.push_back(entry); });
    window.show();
    EXPECT_FALSE(panel->isVisible());
    panel->show();
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(*panel, 2));
    QTest::mouseClick(panel->acceptButton(), Qt::LeftButton);
    // A real double-click is a press and release, then the double-click event.
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(*panel, 1));
    QTest::mouseDClick(panel->list()->viewport(), Qt::LeftButton, {}, centreOf(*panel, 1));
    EXPECT_EQ(accepted, (std::vector<std::optional<QString>>{std::nullopt, QStringLiteral("3"), QStringLiteral("2")}));
}

} // namespace
