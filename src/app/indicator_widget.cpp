#include "app/indicator_widget.h"

#include "app/panel_geometry.h"
#include "app/panel_pictures.h"

#include <QPainter>

IndicatorWidget::IndicatorWidget(PanelPictures& pictures, QWidget* parent)
    : QWidget(parent)
    , pictures_(pictures)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

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
    const qreal ratio = devicePixelRatioF();
    pictures_.paintBackdrop(painter, rect(), geometry(), ratio);
    const QRect circle = geometry::circleIn(rect());
    const bool white = indicator_.drawMode == DrawMode::White;
    painter.drawPixmap(circle.topLeft(), pictures_.circle(circle.width(), indicator_.colour, white, ratio));
}
