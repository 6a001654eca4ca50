#pragma once

#include <QRect>
#include <QSize>

// Where every element of the console window sits, in twips (1/1440 inch)
// relative to the client area. The window toolkit works in logical pixels of
// 15 twips each.
namespace geometry
{

inline constexpr int TwipsPerPixel = 15;
inline constexpr QSize ClientArea{8880, 5940};

QRect extensionIndicator(int index); // slot index 0-18
QRect numberLabel(int index);
QRect extensionOverlay(int index); // over its indicator
QRect nameBox(int index); // index 0-17, just above its indicator

QRect lineIndicator(int index); // line index 0-5: the box that holds the circle
QRect lineLabel(int index);
QRect lineOverlay(int index); // over its indicator

QRect cutButton();
QRect retrieveButton();
QRect directoryButton(); // AGENDA
QRect exitButton(); // Salir
QRect callList(); // LLAMADAS, in the free space left of AGENDA
QRect typedDigits(); // the extension number typed on the keyboard, right of the third row

// The circle drawn in an indicator's box: as wide as the box's shorter side, centred.
QRect circleIn(const QRect& box);

// Logical pixels of a twips rectangle; edges round to the nearest pixel.
QRect toPixels(const QRect& twips);
QSize toPixels(const QSize& twips);
QPoint toPixels(const QPoint& twips);

} // namespace geometry
