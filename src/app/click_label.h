#pragma once

#include "app/click_target.h"

#include <QLabel>

// A label of the panel that forwards its mouse presses and clicks: number
// labels, line captions and the transparent overlays on the indicators.
class ClickLabel final : public QLabel
{
public:
    explicit ClickLabel(QWidget* parent)
        : QLabel(parent)
    {
    }

    ClickTarget clicks;

protected:
    void mousePressEvent(QMouseEvent* event) override { clicks.pressed(*event); }
    void mouseDoubleClickEvent(QMouseEvent*) override { clicks.doubleClicked(); }
    void mouseReleaseEvent(QMouseEvent* event) override { clicks.released(*this, *event); }
};
