#include "link/frm_especiales.h"

#include <gtest/gtest.h>

namespace
{

// The exchange's own description of a code byte: upper-case hex without
// leading zeros, then A -> 0, B -> *, C -> #, F and 0 -> nothing.
QString rewrite(unsigned byte)
{
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
}

} // namespace

TEST(TraducedeDiscado, AgreesWithTheHexadecimalRewritingForEveryPairOfBytes)
{
    EXPECT_EQ(FrmEspeciales::TraducedeDiscado(0x9A, 0xBC), "90*#");
    EXPECT_EQ(FrmEspeciales::TraducedeDiscado(0xDE, 0xF1), "DE1");
    EXPECT_EQ(FrmEspeciales::TraducedeDiscado(0x1F, 0x02), "12");
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b)
            ASSERT_EQ(FrmEspeciales::TraducedeDiscado(a, b), rewrite(a) + rewrite(b)) << a << " " << b;
    }
}
