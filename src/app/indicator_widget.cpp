#include "app/indicator_widget.h"

#include "app/qt_colour.h"
#include "console/panel_geometry.h"

#include <QPainter>

void IndicatorWidget::display(const Indicator& indicator)
{
    if (indicator.colour == indicator_.colour && indicator.drawMode == indicator_.drawMode)
        return;
    indicator_ = indicator;
    update();
}

void IndicatorWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool white = indicator_.drawMode == DrawMode::White;
    const QColor fill = white ? QColor(Qt::white) : toQColor(indicator_.colour);
    painter.setPen(QPen(white ? fill : fill.darker(170), 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(geometry::circleIn(rect())).adjusted(0.5, 0.5, -0.5, -0.5));
}
