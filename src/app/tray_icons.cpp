#include "app/tray_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace
{

QIcon renderedIcon(const QString& resource)
{
    QSvgRenderer svg(resource);
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

std::array<QIcon, 2> trayIcons()
{
    Q_INIT_RESOURCE(tray_icons);
    return {renderedIcon(QStringLiteral(":/icons/img0.svg")), renderedIcon(QStringLiteral(":/icons/img1.svg"))};
}
