#include "app/day_chart.h"

#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>

namespace
{

const QColor AnsweredColour(40, 90, 200);
const QColor NotAnsweredColour(255, 150, 150);
const QColor HatchColour(170, 0, 0);
constexpr int Margin = 6;
constexpr int LegendHeight = 18;
constexpr int CountHeight = 14; // room for the count over the tallest bar
constexpr int AxisLabelHeight = 16;
constexpr int Swatch = 12;
constexpr int BarGap = 4;

QAccessibleInterface* chartRole(const QString&, QObject* object)
{
    auto* chart = dynamic_cast<DayChart*>(object);
    return chart ? new QAccessibleWidget(chart, QAccessible::Chart) : nullptr;
}

void fillNotAnswered(QPainter& painter, const QRect& area)
{
    painter.fillRect(area, NotAnsweredColour);
    painter.fillRect(area, QBrush(HatchColour, Qt::BDiagPattern));
}

// Hour h's slot of the plot: 24 of them side by side.
QRect slot(const QRect& plot, int hour)
{
    const int left = plot.left() + hour * plot.width() / DayFigures::Hours;
    const int right = plot.left() + (hour + 1) * plot.width() / DayFigures::Hours;
    return QRect(left, plot.top(), right - left, plot.height());
}

} // namespace

DayChart::DayChart(QWidget* parent)
    : QWidget(parent)
{
    QAccessible::removeFactory(chartRole); // one entry however many charts
    QAccessible::installFactory(chartRole);
    setObjectName(QStringLiteral("callListChart"));
    setAccessibleDescription(QStringLiteral("Llamadas por hora: atendidas y no atendidas"));
    setMinimumHeight(sizeHint().height());
}

void DayChart::setFigures(const DayFigures& figures)
{
    hours_ = figures.hours();
    setAccessibleName(figures.busiestHourText());
    update();
}

void DayChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawLegend(painter);
    const QRect plot
        = rect().adjusted(Margin, Margin + LegendHeight + CountHeight, -Margin, -(Margin + AxisLabelHeight));
    drawBars(painter, plot);
    drawAxis(painter, plot);
}

void DayChart::drawLegend(QPainter& painter) const
{
    const int top = Margin + (LegendHeight - Swatch) / 2;
    int left = Margin;
    for (const bool answered : {true, false}) {
        const QRect swatch(left, top, Swatch, Swatch);
        if (answered)
            painter.fillRect(swatch, AnsweredColour);
        else
            fillNotAnswered(painter, swatch);
        const QString text = answered ? QStringLiteral("atendidas") : QStringLiteral("no atendidas");
        const QRect label(swatch.right() + 4, Margin, painter.fontMetrics().horizontalAdvance(text), LegendHeight);
        painter.setPen(Qt::black);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, text);
        left = label.right() + 16;
    }
}

// Heights in proportion to the busiest hour, which fills the plot.
void DayChart::drawBars(QPainter& painter, const QRect& plot) const
{
    const int most = std::max_element(hours_.begin(), hours_.end(), [](const HourCalls& a, const HourCalls& b) {
        return a.total() < b.total();
    })->total();
    if (most == 0)
        return;
    for (int hour = 0; hour < DayFigures::Hours; ++hour) {
        const HourCalls& calls = hours_[hour];
        if (calls.total() == 0)
            continue;
        const QRect room = slot(plot, hour).adjusted(BarGap / 2, 0, -BarGap / 2, 0);
        const int height = (calls.total() * plot.height() + most / 2) / most;
        const int answered = (calls.answered * plot.height() + most / 2) / most;
        const int base = plot.bottom() + 1;
        painter.fillRect(QRect(room.left(), base - answered, room.width(), answered), AnsweredColour);
        fillNotAnswered(painter, QRect(room.left(), base - height, room.width(), height - answered));
        const QRect count(room.left() - BarGap, base - height - CountHeight, room.width() + 2 * BarGap, CountHeight);
        painter.setPen(Qt::black);
        painter.drawText(count, Qt::AlignHCenter | Qt::AlignBottom, QString::number(calls.total()));
    }
}

// The axis under the bars, with every hour's number where they fit, else every third.
void DayChart::drawAxis(QPainter& painter, const QRect& plot) const
{
    painter.setPen(Qt::black);
    painter.drawLine(plot.left(), plot.bottom() + 1, plot.right(), plot.bottom() + 1);
    const int widest = painter.fontMetrics().horizontalAdvance(QStringLiteral("00")) + 2;
    const int step = slot(plot, 0).width() >= widest ? 1 : 3;
    for (int hour = 0; hour < DayFigures::Hours; hour += step) {
        const QRect below = slot(plot, hour).translated(0, plot.height() + 2);
        painter.drawText(
            QRect(below.left(), below.top(), below.width(), AxisLabelHeight), Qt::AlignCenter, QString::number(hour));
    }
}
