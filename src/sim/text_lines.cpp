#include "sim/text_lines.h"

namespace text_lines
{

bool forEachEntry(const QByteArray& text, QString* error,
    const std::function<std::optional<QString>(const QList<QByteArray>& words)>& entry)
{
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].simplified();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> words = line.split(' ');
        if (auto failure = entry(words)) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(*failure);
            return false;
        }
    }
    return true;
}

std::optional<int> numberIn(const QByteArray& word, int low, int high)
{
    bool ok = false;
    const int value = word.toInt(&ok, 10);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace text_lines
