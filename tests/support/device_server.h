#pragma once

#include <QString>

#include <memory>
#include <variant>

// A serial device server on 127.0.0.1 in front of a serial device (most often
// the simulated exchange's pseudo-terminal), on a free port.
class DeviceServer
{
public:
    // The running server, or why it could not start.
    using Started = std::variant<std::unique_ptr<DeviceServer>, QString>;

    virtual ~DeviceServer() = default;
    // What the console is given: tcp://127.0.0.1:PORT or rfc2217://127.0.0.1:PORT.
    virtual QString url() const = 0;
    // SIGKILL, and the processes reaped.
    virtual void kill() = 0;
};
