#include "app/tray_icons.h"

#include <gtest/gtest.h>

namespace
{

// The pictures are drawn from their vector images at start.
TEST(TrayIcons, BothImagesAreDrawnAndDiffer)
{
    const std::array<QIcon, 2> icons = trayIcons();
    const QImage normal = icons[0].pixmap(48).toImage();
    const QImage alert = icons[1].pixmap(48).toImage();
    EXPECT_NE(normal, alert);
    // The exchange is a white box; the telephone is red.
    EXPECT_EQ(normal.pixelColor(20, 24), QColor(Qt::white));
    EXPECT_GT(alert.pixelColor(24, 12).red(), 200);
    EXPECT_LT(alert.pixelColor(24, 12).green(), 60);
}

} // namespace
