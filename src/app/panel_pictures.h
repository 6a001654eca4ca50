#pragma once

#include "console/palette.h"

#include <QPixmap>

#include <map>
#include <tuple>

// The pictures the window paints over and over, drawn once each: the window's
// background with its panels, and every indicator circle by size and colour.
// Painting a changed indicator is then two copies instead of path filling.
class PanelPictures
{
public:
    // The background of a window this many pixels wide and high.
    explicit PanelPictures(QSize windowSize)
        : windowSize_(windowSize)
    {
    }

    // The part of the background under `area` (window pixels) onto `painter`.
    void paintBackdrop(QPainter& painter, const QRect& target, const QRect& area, qreal pixelRatio);
    // A circle `side` pixels wide, white or filled with `colour`, on transparency.
    const QPixmap& circle(int side, Colour colour, bool white, qreal pixelRatio);

private:
    const QPixmap& backdrop(qreal pixelRatio);

    QSize windowSize_;
    QPixmap backdrop_;
    std::map<std::tuple<int, Colour, bool, qreal>, QPixmap> circles_;
};
