#include "platform/qt/serial_devices.h"

namespace
{

constexpr int FirstPort = 1;
constexpr int LastPort = 16;

#ifndef Q_OS_WIN
struct DeviceRange {
    int firstPort;
    int lastPort;
    const char* stem;
};

constexpr DeviceRange Ranges[] = {
    {1, 4, "/dev/ttyS"},
    {5, 12, "/dev/ttyUSB"},
    {13, 16, "/dev/ttyACM"},
};
#endif

} // namespace

std::optional<QString> serialDeviceFor(int portNumber)
{
    if (portNumber < FirstPort || portNumber > LastPort)
        return std::nullopt;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    for (const DeviceRange& range : Ranges) {
        if (portNumber <= range.lastPort)
            return QLatin1String(range.stem) + QString::number(portNumber - range.firstPort);
    }
    return std::nullopt;
#endif
}
