#pragma once

#include <QString>

#include <optional>

// The desktop's foreground window, as far as the platform can tell.
class ForegroundWindow
{
public:
    virtual ~ForegroundWindow() = default;
    // The foreground window's title, or nothing when there is no such window.
    virtual std::optional<QString> title() const = 0;
};
