#pragma once

#include "console/call_entry.h"

#include <QByteArray>

#include <vector>

// The day files of the call journal: CSV as RFC 4180 has it (UTF-8, comma
// separated, CRLF line ends, a field with a comma, quote or line break in
// double quotes, quotes doubled), one header row, one row per call or
// callback, seven columns.
namespace journal_csv
{

QByteArray header();
QByteArray row(const CallEntry& entry);

// What a day file holds: its rows that are whole calls or callbacks, in the
// file's order, and how many other rows it has besides the header and blank
// lines (damaged rows, a last line left unfinished).
struct Rows {
    std::vector<CallEntry> entries;
    int unreadable = 0;
};
Rows read(const QByteArray& file);

} // namespace journal_csv
