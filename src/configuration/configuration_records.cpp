#include "configuration/configuration_records.h"

#include "configuration/windows1252.h"

namespace configuration_records
{
namespace
{

constexpr char Quote = '"';
constexpr char Cr = '\r';
constexpr char Lf = '\n';

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmed(const QByteArray& line)
{
    qsizetype first = 0;
    qsizetype end = line.size();
    while (first < end && isBlank(line[first]))
        ++first;
    while (end > first && isBlank(line[end - 1]))
        --end;
    return line.mid(first, end - first);
}

// A decimal number with an optional sign that fits an int.
std::optional<int> asNumber(const QByteArray& field)
{
    const qsizetype digitsFrom = (field.startsWith('-') || field.startsWith('+')) ? 1 : 0;
    if (field.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9')
            return std::nullopt;
    }
    bool ok = false;
    const int number = field.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

RecordValue parse(const QByteArray& line)
{
    if (line.startsWith(Quote)) {
        const qsizetype close = line.indexOf(Quote, 1);
        return windows1252::decode(line.mid(1, close < 0 ? -1 : close - 1));
    }
    const QByteArray field = trimmed(line);
    if (field.isEmpty())
        return std::monostate{};
    if (const auto number = asNumber(field))
        return *number;
    return windows1252::decode(field);
}

} // namespace

QByteArray Reader::nextLine()
{
    qsizetype end = position_;
    while (end < bytes_.size() && bytes_[end] != Cr && bytes_[end] != Lf)
        ++end;
    const QByteArray line = bytes_.mid(position_, end - position_);
    if (end < bytes_.size() && bytes_[end] == Cr)
        ++end;
    if (end < bytes_.size() && bytes_[end] == Lf)
        ++end;
    position_ = end;
    return line;
}

std::optional<RecordValue> Reader::next()
{
    if (position_ >= bytes_.size())
        return std::nullopt;
    return parse(nextLine());
}

QByteArray write(const RecordValue& value)
{
    QByteArray record;
    if (const auto* text = std::get_if<QString>(&value)) {
        QString storable = *text;
        storable.replace(QChar(u'"'), QChar(u'\''));
        record = Quote + windows1252::encode(storable) + Quote;
    } else if (const auto* number = std::get_if<int>(&value)) {
        record = QByteArray::number(*number);
    }
    return record + "\r\n";
}

QString asText(const RecordValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* number = std::get_if<int>(&value))
        return QString::number(*number);
    return {};
}

QByteArray writeFile(const Configuration& configuration)
{
    QByteArray file = write(QString::fromLatin1(HeaderTag));
    file += write(configuration.portNumber);
    for (const QString& name : configuration.names)
        file += write(name);
    for (const QString& note : configuration.memoryNotes)
        file += write(note);
    return file;
}

} // namespace configuration_records
