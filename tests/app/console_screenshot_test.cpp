#include "app/indicator_widget.h"
#include "wired_window.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

// A busy moment on the console, drawn offscreen to build/screenshots/console.png.
TEST(ConsoleScreenshot, BusyConsoleIsDrawnAndSaved)
{
    WiredWindow w;
    for (auto [i, name] : {std::pair{0, "Operadora"}, {2, "Gerencia"}, {4, "Ventas"}, {8, "Almacén"}, {13, "Contable"},
             {16, "Portería"}})
        w.configuration.nombres[i] = QString::fromUtf8(name);
    w.names.showNames();
    w.panel.setAgendaEnabled(true);
    w.frame({{0, 0xC0}, {2, 2}, {4, 1}});
    w.frame({{0, 0xC0}, {2, 2}, {4, 1}, {8, 4}, {11, 6}, {13, 3}, {19, 1}, {20, 2}, {22, 6}, {24, 5}});
    w.clock.advanceMs(250);
    w.clock.advanceMs(500); // the slow blinkers in their white phase

    const QImage image = w.form.grab().toImage();
    EXPECT_EQ(w.form.extensionIndicator(13)->indicator().drawMode, DrawMode::White);
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(OPR903_SCREENSHOT_DIR)));
    EXPECT_TRUE(image.save(QStringLiteral(OPR903_SCREENSHOT_DIR "/console.png")));
}
