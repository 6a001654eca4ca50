#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The line-oriented text files of the simulator: one entry a line, words
// separated by blanks; blank lines and lines that begin with '#' are
// skipped ('#' elsewhere is a dialled character).
namespace text_lines
{

// Calls `entry` with the words of every entry in order. Stops at the first
// error it returns: false, with that error and its line number in `error`.
bool forEachEntry(const QByteArray& text, QString* error,
    const std::function<std::optional<QString>(const QList<QByteArray>& words)>& entry);

// A whole decimal number within [low, high], or nothing.
std::optional<int> numberIn(const QByteArray& word, int low, int high);

} // namespace text_lines
