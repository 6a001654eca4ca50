#include "console/panel_geometry.h"

#include <gtest/gtest.h>

using namespace geometry;

// Where the elements sit is checked on the window, in pixels.
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
