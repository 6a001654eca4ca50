#include "configuration/configuration_records.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

using configuration_records::Reader;

RecordValue text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

std::vector<RecordValue> readAll(const QByteArray& bytes)
{
    Reader reader(bytes);
    std::vector<RecordValue> records;
    while (const auto record = reader.next())
        records.push_back(*record);
    return records;
}

} // namespace

TEST(ConfigurationRecords, EachLineReadsAsTextNumberOrNothing)
{
    const std::pair<QByteArray, RecordValue> cases[] = {
        {"\"abc\"", text(u"abc")},
        {"\"ab\"cd\"ef", text(u"ab")},
        {"\"  spaced  \"", text(u"  spaced  ")},
        {"\"no closing quote", text(u"no closing quote")},
        {"9", 9},
        {"  12\t", 12},
        {"-4", -4},
        {"", std::monostate{}},
        {" \t ", std::monostate{}},
        {"  hola mundo ", text(u"hola mundo")},
        {"1.5", text(u"1.5")},
        {"-", text(u"-")},
        {"99999999999", text(u"99999999999")},
        {"\"Pe\xF1"
         "a \xD1\xE9\x80\"",
            text(u"Peña Ñé€")},
    };
    for (const auto& [line, expected] : cases) {
        Reader reader(line + "\r\n");
        EXPECT_EQ(reader.next(), expected) << line.toStdString();
        EXPECT_EQ(reader.next(), std::nullopt);
    }
}

TEST(ConfigurationRecords, RecordsEndAtCrLfOrABareLineEndOrTheEndOfTheFile)
{
    EXPECT_EQ(readAll("\"a\"\r\n2\n\r\n\"d\"\r\"e\""),
        (std::vector<RecordValue>{text(u"a"), 2, std::monostate{}, text(u"d"), text(u"e")}));
    EXPECT_EQ(readAll("\r\n\r\n").size(), 2u);
    EXPECT_TRUE(readAll("").empty());
}

// The other forms are written back byte for byte in the configuration file's round trip.
TEST(ConfigurationRecords, AQuoteInATextIsWrittenAsAnApostropheSoTheTextReadsBackWhole)
{
    EXPECT_EQ(configuration_records::write(text(u"x\"y")), QByteArray("\"x'y\"\r\n"));
}
