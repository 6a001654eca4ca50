#pragma once

#include "configuration/configuration.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The records of the configuration file: one value per line ending in CR LF,
// in Windows-1252. A value is a text between double quotes (no escape), a
// bare decimal number, or nothing. RecordValue holds exactly these three.
namespace configuration_records
{

inline constexpr int Count = 94;
inline constexpr char HeaderTag[] = "R93OPR";

// Reads the file one record at a time. A record that begins with a double
// quote is the text up to the next quote on its line; any other record is
// its line without surrounding blanks: a number if it reads as one, nothing
// if it is empty, else text. Lines may also end in a bare LF or CR.
class Reader
{
public:
    explicit Reader(const QByteArray& bytes)
        : bytes_(bytes)
    {
    }
    // The next record, or nothing when the file holds no more.
    std::optional<RecordValue> next();

private:
    QByteArray nextLine();

    const QByteArray bytes_; // shared copy: the reader may outlive its argument
    qsizetype position_ = 0;
};

// One record with its line end. A double quote inside a text (which no
// editing lets in) is written as an apostrophe so that the text reads back whole.
QByteArray write(const RecordValue& value);

// The text a record gives a name box or a note.
QString asText(const RecordValue& value);

// The 94 records of the whole file.
QByteArray writeFile(const Configuration& configuration);

} // namespace configuration_records
