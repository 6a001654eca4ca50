#include "link/frm_especiales.h"

namespace FrmEspeciales
{
namespace
{

// The character of one digit code, or 0 for an empty position.
char digit(unsigned code)
{
    static constexpr char table[16] = {0, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '*', '#', 'D', 'E', 0};
    return table[code & 0x0F];
}

void append(QString& text, unsigned char byte)
{
    for (unsigned code : {unsigned(byte >> 4), unsigned(byte & 0x0F)}) {
        if (const char c = digit(code))
            text.append(QLatin1Char(c));
    }
}

} // namespace

QString TraducedeDiscado(unsigned char first, unsigned char second)
{
    QString text;
    append(text, first);
    append(text, second);
    return text;
}

} // namespace FrmEspeciales
