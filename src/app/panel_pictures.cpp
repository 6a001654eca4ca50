#include "app/panel_pictures.h"

#include "app/panel_geometry.h"
#include "app/qt_colour.h"
#include "configuration/configuration.h"
#include "wire/frame_layout.h"

#include <QPainter>

#include <vector>

namespace
{

const QColor WindowBackground(0x2E, 0x38, 0x44);
const QColor GroupBackground(0x3A, 0x46, 0x55);
const QColor GroupBorder(0x56, 0x66, 0x78);

// The areas of the background panels, in twips: the line indicators with
// their captions, and each row of extensions with its name boxes and labels.
std::vector<QRect> panelGroups()
{
    constexpr int Margin = 45;
    QRect lines;
    for (int k = 0; k < wire::OutsideLines; ++k)
        lines |= geometry::lineIndicator(k) | geometry::lineLabel(k);
    std::vector<QRect> groups{lines.adjusted(-4 * Margin, -4 * Margin, 4 * Margin, 2 * Margin)};
    std::array<QRect, 3> rows;
    for (int i = 0; i < wire::ExtensionSlots; ++i)
        rows[i / 8] |= geometry::nameBox(std::min(i, NameBoxCount - 1)) | geometry::numberLabel(i);
    // The leftmost name boxes reach the window's edge; the panels keep the line panel's margin from it.
    const QRect inside = QRect(QPoint(), geometry::ClientArea).adjusted(4 * Margin, 0, -4 * Margin, 0);
    for (const QRect& row : rows)
        groups.push_back(row.adjusted(-Margin, -Margin, Margin, Margin) & inside);
    return groups;
}

QPixmap blankPixmap(QSize size, qreal pixelRatio, const QColor& fill)
{
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(fill);
    return pixmap;
}

} // namespace

void PanelPictures::paintBackdrop(QPainter& painter, const QRect& target, const QRect& area, qreal pixelRatio)
{
    const QRectF source(QPointF(area.topLeft()) * pixelRatio, QSizeF(area.size()) * pixelRatio);
    painter.drawPixmap(QRectF(target), backdrop(pixelRatio), source);
}

const QPixmap& PanelPictures::backdrop(qreal pixelRatio)
{
    if (!backdrop_.isNull() && backdrop_.devicePixelRatio() == pixelRatio)
        return backdrop_;
    backdrop_ = blankPixmap(windowSize_, pixelRatio, WindowBackground);
    QPainter painter(&backdrop_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(GroupBorder);
    painter.setBrush(GroupBackground);
    for (const QRect& group : panelGroups())
        painter.drawRoundedRect(QRectF(geometry::toPixels(group)).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    return backdrop_;
}

const QPixmap& PanelPictures::circle(int side, Colour colour, bool white, qreal pixelRatio)
{
    auto [found, added] = circles_.try_emplace({side, white ? Colour{} : colour, white, pixelRatio});
    if (!added)
        return found->second;
    found->second = blankPixmap(QSize(side, side), pixelRatio, Qt::transparent);
    QPainter painter(&found->second);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = white ? QColor(Qt::white) : toQColor(colour);
    painter.setPen(QPen(white ? fill : fill.darker(170), 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(0, 0, side, side).adjusted(0.5, 0.5, -0.5, -0.5));
    return found->second;
}
