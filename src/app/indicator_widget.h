#pragma once

#include "console/panel.h"

#include <QWidget>

class PanelPictures;

// A filled circle standing for an extension or a line, as wide as the shorter
// side of its box and centred in it. The white blink phase paints the whole
// circle white; the fill colour is kept for the normal phase. It paints its
// own piece of the window's background, so a change repaints nothing behind.
class IndicatorWidget final : public QWidget
{
public:
    IndicatorWidget(PanelPictures& pictures, QWidget* parent);

    // Repaints only when the colour or the phase changed.
    void display(const Indicator& indicator);
    const Indicator& indicator() const { return indicator_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PanelPictures& pictures_;
    Indicator indicator_;
};
