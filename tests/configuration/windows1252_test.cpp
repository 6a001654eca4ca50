#include "configuration/windows1252.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteDecodesToOneCharacterAndEncodesBackLettersAndSignsToTheirCodePageBytes)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    ASSERT_EQ(windows1252::decode(all).size(), 256);
    EXPECT_EQ(windows1252::encode(windows1252::decode(all)), all);
    // The last two are bytes the code page leaves undefined: they keep their own value.
    const std::pair<unsigned char, char16_t> cases[] = {{0x41, u'A'}, {0xF1, u'ñ'}, {0x80, u'€'}, {0x9F, u'Ÿ'},
        {0xA0, u'\u00A0'}, {0x81, u'\u0081'}, {0x9D, u'\u009D'}};
    for (const auto& [byte, character] : cases) {
        const QByteArray bytes(1, static_cast<char>(byte));
        EXPECT_EQ(windows1252::decode(bytes), QString(QChar(character))) << int(byte);
        EXPECT_EQ(windows1252::encode(QString(QChar(character))), bytes) << int(byte);
    }
}

// A character that would not read back as itself, or would end a record, cannot be stored.
TEST(Windows1252, StorableMeansInTheCodePageAndNotADoubleQuote)
{
    // U+0080 and U+0098 are the C1 controls whose bytes the code page gives to € and ˜.
    for (const char16_t c : {u'"', u'\u0080', u'\u0098', u'\u2212', u'\xD83D'})
        EXPECT_FALSE(isStorableCharacter(QChar(c))) << int(c);
    for (const char16_t c : {u'a', u'\'', u'ñ', u'€', u'\u009D'})
        EXPECT_TRUE(isStorableCharacter(QChar(c))) << int(c);
}
