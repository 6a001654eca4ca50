#include "app/panel_geometry.h"

#include "wire/frame_layout.h"

#include <QPoint>

#include <cmath>

namespace geometry
{
namespace
{

// Top-left corners of the design, per slot and per line.
constexpr QPoint ExtensionIndicators[wire::ExtensionSlots] = {{375, 2385}, {1425, 2385}, {2475, 2385}, {3525, 2385},
    {4575, 2385}, {5625, 2385}, {6675, 2385}, {7725, 2385}, {360, 3480}, {1425, 3480}, {2475, 3480}, {3525, 3480},
    {4575, 3480}, {5625, 3480}, {6675, 3480}, {7725, 3480}, {375, 4575}, {1425, 4575}, {2475, 4575}};
constexpr QPoint NumberLabels[wire::ExtensionSlots] = {{390, 2685}, {1440, 2685}, {2475, 2685}, {3525, 2685},
    {4575, 2685}, {5625, 2685}, {6675, 2685}, {7725, 2685}, {375, 3780}, {1425, 3780}, {2475, 3780}, {3525, 3780},
    {4575, 3780}, {5625, 3780}, {6675, 3780}, {7725, 3780}, {360, 4875}, {1425, 4875}, {2295, 4875}};
constexpr QPoint LineIndicators[wire::OutsideLines]
    = {{480, 480}, {1425, 480}, {2370, 480}, {3225, 480}, {4065, 480}, {5025, 480}};
constexpr QPoint LineLabels[wire::OutsideLines]
    = {{615, 1080}, {1560, 1080}, {2505, 1080}, {3360, 1080}, {4200, 1080}, {5160, 1080}};

constexpr QSize ExtensionIndicatorSize{255, 255};
constexpr QSize NumberLabelSize{225, 225};
constexpr int VirtualLabelWidth = 585;
constexpr QSize ExtensionOverlaySize{300, 195};
constexpr QSize NameBoxSize{1000, 330};
constexpr QPoint NameBoxOffset{-375, -385}; // from its indicator's top-left corner
constexpr QSize LineIndicatorSize{615, 495};
constexpr QSize LineLabelSize{300, 300};
constexpr QSize LineOverlaySize{375, 450};
constexpr int VirtualSlot = wire::ExtensionSlots - 1;

int roundedPixels(int twips)
{
    return int(std::lround(double(twips) / TwipsPerPixel));
}

} // namespace

QRect extensionIndicator(int index)
{
    return {ExtensionIndicators[index], ExtensionIndicatorSize};
}

QRect numberLabel(int index)
{
    QSize size = NumberLabelSize;
    if (index == VirtualSlot)
        size.setWidth(VirtualLabelWidth);
    return {NumberLabels[index], size};
}

QRect extensionOverlay(int index)
{
    return {extensionIndicator(index).topLeft(), ExtensionOverlaySize};
}

QRect nameBox(int index)
{
    return {extensionIndicator(index).topLeft() + NameBoxOffset, NameBoxSize};
}

QRect lineIndicator(int index)
{
    return {LineIndicators[index], LineIndicatorSize};
}

QRect lineLabel(int index)
{
    return {LineLabels[index], LineLabelSize};
}

QRect lineOverlay(int index)
{
    return {lineIndicator(index).topLeft(), LineOverlaySize};
}

QRect cutButton()
{
    return {6375, 480, 2100, 500};
}

QRect retrieveButton()
{
    return {6375, 1200, 2100, 500};
}

QRect directoryButton()
{
    return {5040, 5160, 1095, 420};
}

QRect exitButton()
{
    return {6960, 5040, 800, 600};
}

QRect callList()
{
    return {3240, 5160, 1575, 420};
}

QRect typedDigits()
{
    return {3300, 4500, 1500, 360};
}

QRect circleIn(const QRect& box)
{
    const int side = std::min(box.width(), box.height());
    return {box.left() + (box.width() - side) / 2, box.top() + (box.height() - side) / 2, side, side};
}

QRect toPixels(const QRect& twips)
{
    const int left = roundedPixels(twips.left());
    const int top = roundedPixels(twips.top());
    return QRect(QPoint(left, top),
        QPoint(roundedPixels(twips.left() + twips.width()) - 1, roundedPixels(twips.top() + twips.height()) - 1));
}

QSize toPixels(const QSize& twips)
{
    return {roundedPixels(twips.width()), roundedPixels(twips.height())};
}

QPoint toPixels(const QPoint& twips)
{
    return {roundedPixels(twips.x()), roundedPixels(twips.y())};
}

} // namespace geometry
