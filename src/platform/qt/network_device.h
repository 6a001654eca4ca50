#pragma once

#include <QString>

#include <optional>

// A serial line reached over TCP: `tcp://HOST:PORT` carries the bytes as they
// are, `rfc2217://HOST:PORT` carries them in Telnet with the far port's
// settings (RFC 2217). HOST is a name or an address, an IPv6 one in brackets.
struct NetworkDevice {
    enum class Framing { Raw, Rfc2217 };

    Framing framing;
    QString host;
    quint16 port;
};

// Whether the device name asks for the network (by its scheme).
bool isNetworkDevice(const QString& device);
// The device's parts; nothing when it is no well-formed network device.
std::optional<NetworkDevice> networkDevice(const QString& device);
// HOST:PORT as the operator reads it; the device unchanged when it is no
// well-formed network device.
QString networkAddress(const QString& device);
