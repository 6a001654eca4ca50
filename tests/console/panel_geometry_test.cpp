#include "console/panel_geometry.h"

#include <gtest/gtest.h>

using namespace geometry;

TEST(PanelGeometry, NameBoxesSitJustAboveTheirIndicators)
{
    // The positions the layout must produce, row by row.
    const QPoint expected[18] = {{0, 2000}, {1050, 2000}, {2100, 2000}, {3150, 2000}, {4200, 2000}, {5250, 2000},
        {6300, 2000}, {7350, 2000}, {-15, 3095}, {1050, 3095}, {2100, 3095}, {3150, 3095}, {4200, 3095}, {5250, 3095},
        {6300, 3095}, {7350, 3095}, {0, 4190}, {1050, 4190}};
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(nameBox(i).topLeft(), expected[i]) << i;
        EXPECT_EQ(nameBox(i).size(), QSize(1000, 330)) << i;
        // Centred on the circle, within a pixel.
        EXPECT_NEAR(nameBox(i).center().x(), extensionIndicator(i).center().x(), 15) << i;
        EXPECT_LT(nameBox(i).bottom(), extensionIndicator(i).top()) << i;
    }
}

TEST(PanelGeometry, OverlaysCoverTheirIndicators)
{
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(extensionOverlay(i).topLeft(), extensionIndicator(i).topLeft()) << i;
        EXPECT_TRUE(extensionOverlay(i).contains(extensionIndicator(i).center())) << i;
    }
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(lineOverlay(k).topLeft(), lineIndicator(k).topLeft()) << k;
        EXPECT_EQ(lineOverlay(k).size(), QSize(375, 450)) << k;
    }
}

TEST(PanelGeometry, TablesFormThePanelGrid)
{
    // Three rows 1095 apart; each number label 300 below its indicator, at most 15 twips aside.
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(extensionIndicator(i).top(), 2385 + (i / 8) * 1095) << i;
        EXPECT_EQ(numberLabel(i).top(), extensionIndicator(i).top() + 300) << i;
        if (i < 18) {
            EXPECT_NEAR(numberLabel(i).left(), extensionIndicator(i).left(), 15) << i;
        }
    }
    EXPECT_EQ(numberLabel(18).size(), QSize(585, 225));
    EXPECT_EQ(numberLabel(17).size(), QSize(225, 225));
    // The wide "Virtual" label is centred under its indicator, within a pixel.
    EXPECT_NEAR(numberLabel(18).center().x(), extensionIndicator(18).center().x(), 15);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(lineLabel(k).topLeft(), lineIndicator(k).topLeft() + QPoint(135, 600)) << k;
}

TEST(PanelGeometry, EverythingButTheLeftmostNameBoxFitsTheClientArea)
{
    const QRect client(QPoint(0, 0), ClientArea);
    for (int i = 0; i < 19; ++i) {
        EXPECT_TRUE(client.contains(extensionIndicator(i))) << i;
        EXPECT_TRUE(client.contains(numberLabel(i))) << i;
        EXPECT_TRUE(i == 8 || i == 18 || client.contains(nameBox(i))) << i;
    }
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(client.contains(lineIndicator(k)) && client.contains(lineLabel(k))) << k;
    for (const QRect& button : {cmdCorta(), cmdRecupera(), command1(), cmdExit()})
        EXPECT_TRUE(client.contains(button));
    // The command buttons and the line indicators do not overlap.
    EXPECT_FALSE(cmdCorta().intersects(cmdRecupera()));
    EXPECT_FALSE(cmdCorta().intersects(lineIndicator(5)));
    EXPECT_FALSE(command1().intersects(cmdExit()));
}

TEST(PanelGeometry, PixelsAreFifteenTwipsRounded)
{
    EXPECT_EQ(toPixels(ClientArea), QSize(592, 396));
    EXPECT_EQ(toPixels(cmdExit()), QRect(464, 336, 53, 40)); // 800 twips wide: 53 1/3 pixels
    EXPECT_EQ(toPixels(command1()), QRect(336, 344, 73, 28));
    EXPECT_EQ(toPixels(nameBox(8)), QRect(-1, 206, 67, 22));
    EXPECT_EQ(toPixels(extensionIndicator(0)), QRect(25, 159, 17, 17));
    EXPECT_EQ(toPixels(QPoint(7, 8)), QPoint(0, 1));
}

TEST(PanelGeometry, LineCircleIsCentredInItsBox)
{
    EXPECT_EQ(circleIn(lineIndicator(0)), QRect(540, 480, 495, 495));
    EXPECT_EQ(circleIn(QRect(0, 0, 17, 17)), QRect(0, 0, 17, 17));
    EXPECT_EQ(circleIn(QRect(0, 0, 10, 30)), QRect(0, 10, 10, 10));
}
