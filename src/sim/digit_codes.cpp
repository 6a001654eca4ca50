#include "sim/digit_codes.h"

#include <QList>

namespace digit_codes
{

namespace
{
constexpr unsigned char Filler = 0xF;
constexpr int MaxExtensionDigits = 3;

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

std::optional<unsigned char> codeOf(QChar c)
{
    if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
        return static_cast<unsigned char>(c.unicode() - '0');
    switch (c.unicode()) {
    case '0': return 0xA;
    case '*': return 0xB;
    case '#': return 0xC;
    case 'D': return 0xD;
    case 'E': return 0xE;
    default: return std::nullopt;
    }
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

} // namespace digit_codes
