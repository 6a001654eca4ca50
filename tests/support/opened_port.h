#pragma once

#include "platform/serial_port.h"

#include <QTest>

// Opens the port and waits for the outcome on the event loop (a local device
// answers at once, a network line once connected): nothing when it opened,
// else why not.
inline std::optional<LineFailure> openAndWait(SerialPort& port, int portNumber, int timeoutMs = 10000)
{
    std::optional<std::optional<LineFailure>> outcome;
    port.open(portNumber, [&outcome](const std::optional<LineFailure>& failure) { outcome = failure; });
    if (!QTest::qWaitFor([&outcome] { return outcome.has_value(); }, timeoutMs))
        return LineFailure(
            LineFailure::Cause::Unmapped, QStringLiteral("the open did not end within %1 ms").arg(timeoutMs));
    return *outcome;
}
