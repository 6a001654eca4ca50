#include "platform/qt/tracing_messages.h"

#include "platform/qt/trace.h"

#include <QRegularExpression>

void TracingMessages::beep()
{
    trace_.line(QStringLiteral("beep"));
    messages_.beep();
}

MessageAnswer TracingMessages::show(const QString& text, const QString& title, MessageStyle style)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString oneLine = text;
    oneLine.replace(lineBreak, QStringLiteral("\\n"));
    trace_.line(QStringLiteral("msg ") + title + QStringLiteral(" | ") + oneLine);
    return messages_.show(text, title, style);
}
