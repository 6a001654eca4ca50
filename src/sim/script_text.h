#pragma once

#include "sim/exchange_options.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The text form of a script (r903-sim --script FILE), one step a line:
//
//   frame HEX      25 status bytes as 50 hexadecimal digits (blanks allowed)
//   garbage HEX    one byte sent between the frame before and the next poll
//   pause          polling stops until the console sends 0xC0
//
// Lines that begin with '#' are comments.
std::optional<std::vector<ScriptStep>> parseScript(const QByteArray& text, QString* error);
