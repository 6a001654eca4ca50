#pragma once

#include "console/day_figures.h"

#include <QWidget>

#include <array>

// The day's calls by the hour they ended, drawn: one bar per hour, the
// answered calls solid blue at its foot, the others (perdida, sin final)
// hatched red above them, the count over the bar, the hours 0-23 along a
// black axis and a legend that names both. A screen reader gets the busiest
// hour as the chart's name.
class DayChart final : public QWidget
{
public:
    explicit DayChart(QWidget* parent);

    void setFigures(const DayFigures& figures);

    QSize sizeHint() const override { return {600, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawLegend(QPainter& painter) const;
    void drawBars(QPainter& painter, const QRect& plot) const;
    void drawAxis(QPainter& painter, const QRect& plot) const;

    std::array<HourCalls, DayFigures::Hours> hours_{};
};
