#include "app/indicator_widget.h"
#include "wired_window.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

// A busy moment on the console, drawn offscreen to build/screenshots/console.png.
TEST(ConsoleScreenshot, BusyConsoleIsDrawnAndSaved)
{
    WiredWindow w;
    w.configuration.nombres[0] = "Operadora";
    w.configuration.nombres[2] = "Gerencia";
    w.configuration.nombres[4] = "Ventas";
    w.configuration.nombres[8] = "Almacén";
    w.configuration.nombres[13] = "Contable";
    w.configuration.nombres[16] = "Portería";
    w.names.showNames();
    w.panel.setAgendaEnabled(true);
    w.frame({{0, 0xC0}, {2, 2}, {4, 1}});
    w.frame({{0, 0xC0}, {2, 2}, {4, 1}, {8, 4}, {11, 6}, {13, 3}, {19, 1}, {20, 2}, {22, 6}, {24, 5}});
    w.clock.advanceMs(250);
    w.clock.advanceMs(500); // the slow blinkers in their white phase

    const QImage image = w.form.grab().toImage();
    ASSERT_EQ(image.size(), QSize(592, 396));
    EXPECT_EQ(w.form.extensionIndicator(13)->indicator().drawMode, DrawMode::White);
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(OPR903_SCREENSHOT_DIR)));
    EXPECT_TRUE(image.save(QStringLiteral(OPR903_SCREENSHOT_DIR "/console.png")));
}
