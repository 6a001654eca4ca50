#pragma once

#include "console/call_entry.h"

#include <QByteArray>

#include <functional>

// The day files of the call journal: CSV as RFC 4180 has it (UTF-8, comma
// separated, CRLF line ends, a field with a comma, quote or line break in
// double quotes, quotes doubled), one header row, one row per call or
// callback, seven columns.
namespace journal_csv
{

QByteArray header();
QByteArray row(const CallEntry& entry);

// Hands each row of a day file that is a whole call or callback to `take`,
// in the file's order, and answers how many other rows it has besides the
// header and blank lines (damaged rows, a last line left unfinished).
int read(const QByteArray& file, const std::function<void(CallEntry&&)>& take);

} // namespace journal_csv
