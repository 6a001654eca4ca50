#include "app/arial_font.h"

#include <QFontDatabase>

QFont arialFont(qreal points, bool bold)
{
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Arial")) ? QStringLiteral("Arial")
                                                                                    : QStringLiteral("Liberation Sans");
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
