#pragma once

#include "platform/foreground_window.h"

#include <QString>

// Whether the foreground window is the console: its title, read into a
// 255-character buffer of blanks, compared with the console's caption. Titles
// are compared, not windows: any window with the caption counts.
bool isConsoleForeground(const ForegroundWindow& foreground, const QString& caption);
