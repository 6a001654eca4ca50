#include "platform/qt/serial_devices.h"

#include <gtest/gtest.h>

TEST(SerialDevices, PortNumbersOneToSixteenNameTheirDevices)
{
    const std::pair<int, std::optional<QString>> cases[] = {
        {0, std::nullopt},
        {17, std::nullopt},
#ifdef Q_OS_WIN
        {1, QStringLiteral("COM1")},
        {16, QStringLiteral("COM16")},
#else
        {1, QStringLiteral("/dev/ttyS0")},
        {4, QStringLiteral("/dev/ttyS3")},
        {5, QStringLiteral("/dev/ttyUSB0")},
        {12, QStringLiteral("/dev/ttyUSB7")},
        {13, QStringLiteral("/dev/ttyACM0")},
        {16, QStringLiteral("/dev/ttyACM3")},
#endif
    };
    for (const auto& [port, device] : cases)
        EXPECT_EQ(serialDeviceFor(port), device) << port;
}
