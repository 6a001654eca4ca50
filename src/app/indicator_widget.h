#pragma once

#include "console/panel.h"

#include <QWidget>

// A filled circle standing for an extension or a line, as wide as the shorter
// side of its box and centred in it. The white blink phase paints the whole
// circle white; the fill colour is kept for the normal phase.
class IndicatorWidget final : public QWidget
{
public:
    explicit IndicatorWidget(QWidget* parent)
        : QWidget(parent)
    {
    }

    // Repaints only when the colour or the phase changed.
    void display(const Indicator& indicator);
    const Indicator& indicator() const { return indicator_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Indicator indicator_;
};
