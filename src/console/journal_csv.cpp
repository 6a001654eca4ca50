#include "console/journal_csv.h"

#include "console/local_hours.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace journal_csv
{
namespace
{

const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr std::array<const char*, 7> ColumnNames{"inicio", "origen", "nombre", "tipo", "espera_s", "resultado", "fin"};
constexpr std::size_t Columns = ColumnNames.size();

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

// One record of CSV bytes: its fields, and whether its line end came.
struct Record {
    std::vector<QByteArray> fields;
    bool finished = false;
};

// Hands each record of CSV bytes to `take`, a last one without its line end too.
template <typename Take> void forEachRecord(const QByteArray& bytes, Take take)
{
    Record record;
    QByteArray field;
    bool quoted = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"') {
            const bool doubled = quoted && i + 1 < bytes.size() && bytes[i + 1] == '"';
            if (doubled)
                field += bytes[++i];
            else
                quoted = !quoted;
            continue;
        }
        if (quoted || (c != ',' && c != '\n' && c != '\r')) {
            field += c;
            continue;
        }
        if (c == '\r')
            continue;
        record.fields.push_back(std::exchange(field, {}));
        if (c == '\n') {
            record.finished = true;
            take(std::exchange(record, {}));
        }
    }
    if (!field.isEmpty() || !record.fields.empty()) {
        record.fields.push_back(field);
        take(std::move(record));
    }
}

int number(const QByteArray& text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// A local time written as "AAAA-MM-DD HH:MM:SS", as a wall-clock instant.
std::optional<std::int64_t> wallMsOf(const QByteArray& text, LocalHours& hours)
{
    static constexpr char Shape[] = "0000-00-00 00:00:00";
    if (text.size() != qsizetype(sizeof Shape - 1))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool fits = Shape[i] == '0' ? text[i] >= '0' && text[i] <= '9' : text[i] == Shape[i];
        if (!fits)
            return std::nullopt;
    }
    const QDate date(number(text, 0, 4), number(text, 5, 2), number(text, 8, 2));
    const QTime time(number(text, 11, 2), number(text, 14, 2), number(text, 17, 2));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return hours.wallMsOf(date, time);
}

// The fields of a day file's rows turned into calls; the texts that recur
// (lines, extension numbers and names) share one string each.
class Fields
{
public:
    std::optional<CallEntry> entryOf(const std::vector<QByteArray>& fields)
    {
        if (fields.size() != Columns)
            return std::nullopt;
        const auto started = wallMsOf(fields[0], hours_);
        const auto ended = wallMsOf(fields[6], hours_);
        const auto kind = kindFromText(QString::fromUtf8(fields[3]));
        if (!started || !ended || !kind)
            return std::nullopt;
        CallEntry entry{*started, text(fields[1]), text(fields[2]), *kind, 0, CallOutcome::Missed, *ended};
        if (kind == CallKind::Callback)
            return entry;
        bool number = false;
        entry.waitedSeconds = fields[4].toLongLong(&number);
        const auto outcome = outcomeFromText(QString::fromUtf8(fields[5]));
        if (!number || entry.waitedSeconds < 0 || !outcome)
            return std::nullopt;
        entry.outcome = *outcome;
        return entry;
    }

private:
    QString text(const QByteArray& field)
    {
        auto known = texts_.find(field);
        if (known == texts_.end())
            known = texts_.insert(field, QString::fromUtf8(field));
        return *known;
    }

    LocalHours hours_;
    QHash<QByteArray, QString> texts_;
};

// A blank line, or the header row, which hold no call.
bool holdsNoCall(const Record& record)
{
    const auto& f = record.fields;
    const bool header = f.size() == Columns && std::equal(f.begin(), f.end(), ColumnNames.begin());
    return header || (f.size() == 1 && f[0].isEmpty());
}

} // namespace

QByteArray header()
{
    QStringList names;
    for (const char* name : ColumnNames)
        names << QLatin1String(name);
    return line(names);
}

QByteArray row(const CallEntry& entry)
{
    const bool callback = entry.kind == CallKind::Callback;
    return line({localTime(entry.startedMs).toString(DateTimeFormat), field(entry.origin), field(entry.name),
        kindText(entry.kind), callback ? QString() : QString::number(entry.waitedSeconds),
        callback ? QString() : outcomeText(entry.outcome), localTime(entry.endedMs).toString(DateTimeFormat)});
}

int read(const QByteArray& file, const std::function<void(CallEntry&&)>& take)
{
    int unreadable = 0;
    Fields fields;
    forEachRecord(file, [&](Record&& record) {
        if (holdsNoCall(record))
            return;
        auto entry = record.finished ? fields.entryOf(record.fields) : std::nullopt;
        if (entry)
            take(std::move(*entry));
        else
            ++unreadable;
    });
    return unreadable;
}

} // namespace journal_csv
