#include "console/journal_csv.h"

#include "console/call_entry.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <utility>

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

// The records of CSV text, each a list of fields; a last record without its
// line end is left out.
std::vector<QStringList> records(const QString& text)
{
    std::vector<QStringList> out;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'"') {
            const bool doubled = quoted && i + 1 < text.size() && text[i + 1] == u'"';
            if (doubled)
                field += text[++i];
            else
                quoted = !quoted;
            continue;
        }
        if (quoted) {
            field += c;
            continue;
        }
        switch (c) {
        case u',': fields << std::exchange(field, {}); break;
        case u'\n':
            fields << std::exchange(field, {});
            out.push_back(std::exchange(fields, {}));
            break;
        case u'\r': break;
        default: field += c;
        }
    }
    return out;
}

std::optional<std::int64_t> wallMsOf(const QString& text)
{
    const QDateTime time = QDateTime::fromString(text, DateTimeFormat);
    return time.isValid() ? std::optional(time.toMSecsSinceEpoch()) : std::nullopt;
}

std::optional<CallEntry> entryOf(const QStringList& fields)
{
    constexpr int Columns = 7;
    if (fields.size() != Columns)
        return std::nullopt;
    const auto started = wallMsOf(fields[0]);
    const auto kind = kindFromText(fields[3]);
    bool number = false;
    const std::int64_t waited = fields[4].toLongLong(&number);
    const auto outcome = outcomeFromText(fields[5]);
    const auto ended = wallMsOf(fields[6]);
    if (!started || !kind || !number || waited < 0 || !outcome || !ended)
        return std::nullopt;
    return CallEntry{*started, fields[1], fields[2], *kind, waited, *outcome, *ended};
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

std::vector<CallEntry> read(const QByteArray& file)
{
    std::vector<CallEntry> entries;
    for (const QStringList& fields : records(QString::fromUtf8(file))) {
        if (const auto entry = entryOf(fields))
            entries.push_back(*entry);
    }
    return entries;
}

} // namespace journal_csv
