#pragma once

#include "platform/foreground_window.h"

// The foreground window's title as a test sets it (nothing: no window).
class FakeForegroundWindow final : public ForegroundWindow
{
public:
    std::optional<QString> title() const override { return current; }
    std::optional<QString> current;
};
