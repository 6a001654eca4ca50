#include <QApplication>

#include <gtest/gtest.h>

// The console and the simulated exchange share this event loop; the console's
// window needs a widget application (offscreen, no display).
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
