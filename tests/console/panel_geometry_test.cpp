#include "console/panel_geometry.h"

#include <gtest/gtest.h>

using namespace geometry;

// Three rows of slots 1095 twips apart: each number label 300 below its
// indicator and at most 15 twips aside ("Virtual" centred), each name box at
// the design's place just above it, centred within a pixel; each overlay on its indicator.
TEST(PanelGeometry, SlotsFormThreeRowsWithLabelsBelowNameBoxesAboveAndOverlaysOn)
{
    for (int i = 0; i < 19; ++i) {
        const QRect indicator = extensionIndicator(i);
        const QRect label = numberLabel(i);
        EXPECT_EQ(indicator.top(), 2385 + (i / 8) * 1095) << i;
        EXPECT_EQ(label.top(), indicator.top() + 300) << i;
        EXPECT_NEAR(i < 18 ? label.left() : label.center().x(), i < 18 ? indicator.left() : indicator.center().x(), 15)
            << i;
        EXPECT_EQ(extensionOverlay(i).topLeft(), indicator.topLeft()) << i;
        EXPECT_TRUE(extensionOverlay(i).contains(indicator.center())) << i;
        if (i == 18)
            continue;
        EXPECT_EQ(nameBox(i), QRect(QPoint(i == 8 ? -15 : i % 8 * 1050, 2000 + i / 8 * 1095), QSize(1000, 330))) << i;
        EXPECT_NEAR(nameBox(i).center().x(), indicator.center().x(), 15) << i;
        EXPECT_LT(nameBox(i).bottom(), indicator.top()) << i;
    }
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(lineLabel(k).topLeft(), lineIndicator(k).topLeft() + QPoint(135, 600)) << k;
        EXPECT_EQ(lineOverlay(k).topLeft(), lineIndicator(k).topLeft()) << k;
        EXPECT_TRUE(lineOverlay(k).contains(lineIndicator(k).center())) << k;
    }
}

TEST(PanelGeometry, EverythingButTheLeftmostNameBoxFitsTheClientAreaWithoutOverlaps)
{
    const QRect client(QPoint(0, 0), ClientArea);
    for (int i = 0; i < 19; ++i) {
        EXPECT_TRUE(client.contains(extensionIndicator(i)) && client.contains(numberLabel(i))) << i;
        EXPECT_TRUE(i == 8 || i == 18 || client.contains(nameBox(i))) << i;
    }
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(client.contains(lineIndicator(k)) && client.contains(lineLabel(k))) << k;
    for (const QRect& button : {cmdCorta(), cmdRecupera(), command1(), cmdExit()})
        EXPECT_TRUE(client.contains(button));
    EXPECT_FALSE(cmdCorta().intersects(cmdRecupera()));
    EXPECT_FALSE(cmdCorta().intersects(lineIndicator(5)));
    EXPECT_FALSE(command1().intersects(cmdExit()));
}

TEST(PanelGeometry, PixelsAreFifteenTwipsRoundedAndCirclesCentredInTheirBox)
{
    EXPECT_EQ(toPixels(ClientArea), QSize(592, 396));
    EXPECT_EQ(toPixels(cmdExit()), QRect(464, 336, 53, 40)); // 800 twips wide: 53 1/3 pixels
    EXPECT_EQ(toPixels(command1()), QRect(336, 344, 73, 28));
    EXPECT_EQ(toPixels(nameBox(8)), QRect(-1, 206, 67, 22));
    EXPECT_EQ(toPixels(extensionIndicator(0)), QRect(25, 159, 17, 17));
    EXPECT_EQ(toPixels(QPoint(7, 8)), QPoint(0, 1));
    EXPECT_EQ(circleIn(lineIndicator(0)), QRect(540, 480, 495, 495));
    EXPECT_EQ(circleIn(QRect(0, 0, 17, 17)), QRect(0, 0, 17, 17));
    EXPECT_EQ(circleIn(QRect(0, 0, 10, 30)), QRect(0, 10, 10, 10));
}
