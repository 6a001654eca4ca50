#pragma once

#include <QByteArray>

#include <vector>

struct CallEntry;

// The day files of the call journal: CSV as RFC 4180 has it (UTF-8, comma
// separated, CRLF line ends, a field with a comma, quote or line break in
// double quotes, quotes doubled), one header row, one row per call.
namespace journal_csv
{

QByteArray header();
QByteArray row(const CallEntry& entry);
// The calls of a day file: the header, rows that are not whole calls and a
// last line left unfinished are passed over.
std::vector<CallEntry> read(const QByteArray& file);

} // namespace journal_csv
