#include "link/frm_especiales.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    unsigned char first;
    unsigned char second;
    const char* text;
};

// Every code in every position, including the empty codes 0 and 15 inside a number.
const Case Cases[] = {
    {0x00, 0x00, ""},     {0xFF, 0xFF, ""},     {0x01, 0xA5, "105"},  {0x00, 0x12, "12"},
    {0x0A, 0x0A, "00"},   {0xA0, 0x00, "0"},    {0x5F, 0xF7, "57"},   {0xBC, 0x00, "*#"},
    {0xDE, 0x00, "DE"},   {0x10, 0x20, "12"},   {0x12, 0x34, "1234"}, {0x56, 0x78, "5678"},
    {0x9A, 0xBC, "90*#"}, {0xDE, 0xF1, "DE1"},  {0x0F, 0xF0, ""},     {0x1F, 0x02, "12"},
    {0xF3, 0x0F, "3"},    {0x1A, 0x05, "105"},  {0x00, 0x1A, "10"},   {0x00, 0x07, "7"},
};

} // namespace

TEST(TraducedeDiscado, DecodesEveryCodeInEveryPosition)
{
    for (const Case& c : Cases) {
        EXPECT_EQ(FrmEspeciales::TraducedeDiscado(c.first, c.second), QString::fromLatin1(c.text))
            << std::hex << int(c.first) << " " << int(c.second);
    }
}

TEST(TraducedeDiscado, AgreesWithTheHexadecimalRewriting)
{
    // The exchange's own description: upper-case hex without leading zeros,
    // then A->0, B->*, C->#, F and 0 -> nothing.
    const auto rewrite = [](unsigned byte) {
        QString out;
        for (QChar ch : QString::number(byte, 16).toUpper()) {
            if (ch == u'A')
                out += u'0';
            else if (ch == u'B')
                out += u'*';
            else if (ch == u'C')
                out += u'#';
            else if (ch != u'F' && ch != u'0')
                out += ch;
        }
        return out;
    };
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b : {0u, 0x0Au, 0x5Fu, 0xB1u, 0xFFu})
            ASSERT_EQ(FrmEspeciales::TraducedeDiscado(a, b), rewrite(a) + rewrite(b)) << a << " " << b;
    }
}
