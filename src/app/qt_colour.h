#pragma once

#include "console/palette.h"

#include <QColor>

// A 0x00BBGGRR colour as Qt's RGB colour.
inline QColor toQColor(Colour colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}
