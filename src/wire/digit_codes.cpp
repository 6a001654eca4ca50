#include "wire/digit_codes.h"

#include <QList>

namespace wire
{
namespace
{

// The character of each code; 0 for the codes that stand for no digit.
constexpr char Characters[16] = {0, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '*', '#', 'D', 'E', 0};
constexpr unsigned char Filler = 0xF;
constexpr int MaxExtensionDigits = 3;

void append(QString& text, unsigned char byte)
{
    for (unsigned code : {unsigned(byte >> 4), unsigned(byte & 0x0F)}) {
        if (const char c = Characters[code])
            text.append(QLatin1Char(c));
    }
}

// Codes of every character of the number, or nothing if one has no code.
std::optional<QList<unsigned char>> codesOf(const QString& number)
{
    QList<unsigned char> codes;
    for (QChar c : number) {
        auto code = codeOf(c);
        if (!code)
            return std::nullopt;
        codes.append(*code);
    }
    return codes;
}

} // namespace

QString decodeDigits(unsigned char first, unsigned char second)
{
    QString text;
    append(text, first);
    append(text, second);
    return text;
}

std::optional<unsigned char> codeOf(QChar c)
{
    for (unsigned char code = 0; code < 16; ++code) {
        if (Characters[code] != 0 && c == QLatin1Char(Characters[code]))
            return code;
    }
    return std::nullopt;
}

std::optional<std::array<unsigned char, 2>> extensionBytes(const QString& number)
{
    auto codes = codesOf(number);
    if (!codes || codes->isEmpty() || codes->size() > MaxExtensionDigits)
        return std::nullopt;
    unsigned char before = 0;
    for (qsizetype i = 0; i + 1 < codes->size(); ++i)
        before = static_cast<unsigned char>((before << 4) | codes->at(i));
    return std::array<unsigned char, 2>{before, codes->last()};
}

std::optional<std::array<unsigned char, 7>> memoryBytes(const QString& number)
{
    auto codes = codesOf(number);
    if (!codes || codes->size() > MemoryDigits)
        return std::nullopt;
    while (codes->size() < MemoryDigits)
        codes->append(Filler);
    std::array<unsigned char, 7> bytes{};
    for (int i = 0; i < 7; ++i)
        bytes[i] = static_cast<unsigned char>((codes->at(2 * i) << 4) | codes->at(2 * i + 1));
    return bytes;
}

} // namespace wire
