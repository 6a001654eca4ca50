#include "platform/qt/network_device.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

TEST(NetworkDevice, SchemeChoosesTheFramingAndOnlyHostAndPortMayFollow)
{
    using Framing = NetworkDevice::Framing;
    struct Case {
        const char* device;
        bool network; // chosen by its scheme
        std::optional<Framing> framing; // nothing: not well formed
        const char* host;
        quint16 port;
    };
    const Case cases[] = {
        {"tcp://192.168.1.20:4001", true, Framing::Raw, "192.168.1.20", 4001},
        {"rfc2217://armario.local:2217", true, Framing::Rfc2217, "armario.local", 2217},
        {"RFC2217://[::1]:7000", true, Framing::Rfc2217, "::1", 7000},
        {"tcp://127.0.0.1", true, std::nullopt, "", 0},
        {"tcp://:4001", true, std::nullopt, "", 0},
        {"tcp://host:4001/ttyUSB0", true, std::nullopt, "", 0},
        {"rfc2217://user@host:2217", true, std::nullopt, "", 0},
        {"tcp://host:70000", true, std::nullopt, "", 0},
        {"tcp://host:0", true, std::nullopt, "", 0},
        {"/dev/ttyUSB0", false, std::nullopt, "", 0},
        {"telnet://host:23", false, std::nullopt, "", 0},
        {"COM3", false, std::nullopt, "", 0},
    };
    for (const Case& c : cases) {
        const QString device = QString::fromLatin1(c.device);
        EXPECT_EQ(isNetworkDevice(device), c.network) << c.device;
        const auto parsed = networkDevice(device);
        ASSERT_EQ(parsed.has_value(), c.framing.has_value()) << c.device;
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->framing, *c.framing) << c.device;
        EXPECT_EQ(parsed->host, QString::fromLatin1(c.host)) << c.device;
        EXPECT_EQ(parsed->port, c.port) << c.device;
    }
}
