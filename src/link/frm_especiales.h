#pragma once

#include <QString>

// Conversions of the exchange's digit codes: 4-bit codes, two to a byte,
// high nibble first. 1-9 are the digits, 0xA is "0", 0xB "*", 0xC "#",
// 0xD "D", 0xE "E"; 0 and 0xF stand for no digit.
namespace FrmEspeciales
{

// The digits of two code bytes: at most four characters.
QString TraducedeDiscado(unsigned char first, unsigned char second);

} // namespace FrmEspeciales
