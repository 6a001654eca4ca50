#include "directory/windows1252.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteDecodesToOneCharacterAndEncodesBackLettersAndSignsToTheirCodePageBytes)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    ASSERT_EQ(windows1252::decode(all).size(), 256);
    EXPECT_EQ(windows1252::encode(windows1252::decode(all)), all);
    // The last five are bytes the code page leaves undefined: they keep their own value.
    const std::pair<unsigned char, char16_t> cases[]
        = {{0x41, u'A'}, {0xE9, u'é'}, {0xF1, u'ñ'}, {0xD1, u'Ñ'}, {0xBF, u'¿'}, {0xA1, u'¡'}, {0xFC, u'ü'},
            {0x80, u'€'}, {0x91, u'‘'}, {0x9F, u'Ÿ'}, {0x8A, u'Š'}, {0xA0, u'\u00A0'}, {0x81, u'\u0081'},
            {0x8D, u'\u008D'}, {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x9D, u'\u009D'}};
    for (const auto& [byte, character] : cases) {
        const QByteArray bytes(1, static_cast<char>(byte));
        EXPECT_EQ(windows1252::decode(bytes), QString(QChar(character))) << int(byte);
        EXPECT_EQ(windows1252::encode(QString(QChar(character))), bytes) << int(byte);
    }
}

TEST(Windows1252, StorableMeansInTheCodePageAndNotADoubleQuote)
{
    // U+0080 and U+0098 are the C1 controls whose bytes the code page gives to € and ˜.
    for (const char16_t c : {u'\u0100', u'\u4E00', u'\u0080', u'\u0098', u'\u2212', u'\xD83D'}) {
        EXPECT_FALSE(windows1252::isRepresentable(QChar(c))) << int(c);
        EXPECT_FALSE(isStorableCharacter(QChar(c))) << int(c);
    }
    EXPECT_EQ(windows1252::encode(QString::fromUtf16(u"a\u4E00b")), QByteArray("a?b"));
    EXPECT_TRUE(windows1252::isRepresentable(QChar(u'"')));
    EXPECT_FALSE(isStorableCharacter(QChar(u'"')));
    for (const char16_t c : {u'a', u'\'', u' ', u'ñ', u'€', u'\u009D'})
        EXPECT_TRUE(isStorableCharacter(QChar(c))) << int(c);
}
