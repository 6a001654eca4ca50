#include "configuration/windows1252.h"

#include <array>
#include <optional>

namespace
{

// Bytes 0x80-0x9F; every other byte is the Unicode character of the same value.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr unsigned char FirstHigh = 0x80;
constexpr unsigned char LastHigh = 0x9F;

QChar toChar(unsigned char byte)
{
    if (byte >= FirstHigh && byte <= LastHigh)
        return QChar(HighControls[byte - FirstHigh]);
    return QChar(byte);
}

std::optional<unsigned char> toByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < FirstHigh || (u > LastHigh && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == u)
            return static_cast<unsigned char>(FirstHigh + i);
    }
    return std::nullopt;
}

} // namespace

namespace windows1252
{

QString decode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(toChar(static_cast<unsigned char>(byte)));
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(static_cast<char>(toByte(c).value_or('?')));
    return bytes;
}

bool isRepresentable(QChar c)
{
    return toByte(c).has_value();
}

} // namespace windows1252

bool isStorableCharacter(QChar c)
{
    return c != u'"' && windows1252::isRepresentable(c);
}
