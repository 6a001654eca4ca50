#pragma once

#include <QString>

#include <optional>

struct xcb_connection_t;

// The title of the window the window manager names as active on this X
// display (_NET_ACTIVE_WINDOW; its _NET_WM_NAME, else WM_NAME); nothing when
// no window is active.
std::optional<QString> ewmhActiveWindowTitle(xcb_connection_t* connection);
