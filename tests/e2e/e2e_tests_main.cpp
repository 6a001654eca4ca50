#include <QCoreApplication>

#include <gtest/gtest.h>

// The console and the simulated exchange share this event loop.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
