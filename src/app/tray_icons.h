#pragma once

#include <QIcon>

#include <array>

// The two notification-area icons, img(0) the exchange and img(1) the alert,
// each drawn at 16, 32 and 48 pixels.
std::array<QIcon, 2> trayIcons();
