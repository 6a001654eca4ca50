#include "app/tray_icons.h"
#include "platform/qt/qt_desktop_tray.h"
#include "platform/qt/qt_sound_output.h"
#include "shell/buffer_tono.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

namespace
{

TEST(TrayIcons, BothImagesComeInThreeSizesAndDiffer)
{
    const std::array<QIcon, 2> icons = trayIcons();
    for (const QIcon& icon : icons)
        EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    const QImage normal = icons[0].pixmap(48).toImage();
    const QImage alert = icons[1].pixmap(48).toImage();
    EXPECT_NE(normal, alert);
    // The exchange is a white box; the telephone is red.
    EXPECT_EQ(normal.pixelColor(20, 24), QColor(Qt::white));
    EXPECT_GT(alert.pixelColor(24, 12).red(), 200);
    EXPECT_LT(alert.pixelColor(24, 12).green(), 60);
}

TEST(QtDesktopTray, TheIconComesAndGoesAndClicksAreMapped)
{
    QtDesktopTray tray(trayIcons());
    std::vector<DesktopTray::Activation> clicks;
    tray.onActivated([&](DesktopTray::Activation a) { clicks.push_back(a); });
    EXPECT_TRUE(tray.initialize());
    EXPECT_TRUE(tray.add(0, "Quindora R903 / V1.00"));
    EXPECT_TRUE(tray.icon().isVisible());
    EXPECT_EQ(tray.icon().toolTip(), "Quindora R903 / V1.00");
    const qint64 normal = tray.icon().icon().cacheKey();
    tray.modify(1, "Quindora R903 / V1.00");
    EXPECT_NE(tray.icon().icon().cacheKey(), normal);
    tray.modify(0, "Quindora R903 / V1.00");
    EXPECT_EQ(tray.icon().icon().cacheKey(), normal);

    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick,
             QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown})
        emit const_cast<QSystemTrayIcon&>(tray.icon()).activated(reason);
    EXPECT_TRUE(clicks.empty()); // never inside the icon's own event handling
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks,
        (std::vector<DesktopTray::Activation>{
            DesktopTray::Activation::Trigger, DesktopTray::Activation::Context, DesktopTray::Activation::DoubleClick}));
    tray.remove();
    EXPECT_FALSE(tray.icon().isVisible());
}

TEST(QtSoundOutput, ASinkExistsOnlyWhenTheDeviceTakesTheToneAndPlayingNeverFails)
{
    QtSoundOutput sound;
    const bool prepared = sound.prepare(makeBufferTono());
    EXPECT_EQ(sound.hasSink(), prepared);
    sound.play();
    sound.play();
}

} // namespace
