#pragma once

#include <QString>

#include <optional>

// The serial device that port number 1-16 names on this platform: COMn on
// Windows; elsewhere the PC's own ports (1-4), then USB adapters (5-12), then
// USB modems (13-16). Nothing for a number outside 1-16.
std::optional<QString> serialDeviceFor(int portNumber);
