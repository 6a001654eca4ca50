#include "console/journal_csv.h"

#include "console/call_entry.h"

#include <QStringList>

#include <algorithm>

namespace journal_csv
{
namespace
{

const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString field(QString text)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return needsQuotes.contains(c); }))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QByteArray line(const QStringList& fields)
{
    return (fields.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

QByteArray header()
{
    return line({QStringLiteral("inicio"), QStringLiteral("origen"), QStringLiteral("nombre"), QStringLiteral("tipo"),
        QStringLiteral("espera_s"), QStringLiteral("resultado"), QStringLiteral("fin")});
}

QByteArray row(const CallEntry& entry)
{
    return line({localTime(entry.startedMs).toString(DateTimeFormat), field(entry.origin), field(entry.name),
        kindText(entry.kind), QString::number(entry.waitedSeconds), outcomeText(entry.outcome),
        localTime(entry.endedMs).toString(DateTimeFormat)});
}

} // namespace journal_csv
