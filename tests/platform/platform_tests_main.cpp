#include <QCoreApplication>

#include <gtest/gtest.h>

// The platform tests need an event loop for the serial port's notifications.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
