#include "shell/foreground_check.h"

namespace
{

constexpr int TitleBuffer = 255;

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace

bool isConsoleForeground(const ForegroundWindow& foreground, const QString& caption)
{
    const std::optional<QString> title = foreground.title();
    if (!title)
        return false;
    // The title arrives as at most 254 characters and a terminating zero; the
    // rest of the buffer keeps its blanks.
    const QString received = title->left(TitleBuffer - 1) + QChar(0);
    QString buffer = received + QString(TitleBuffer - received.size(), u' ');
    buffer = trimBlanks(buffer);
    buffer.chop(1);
    return buffer == caption;
}
