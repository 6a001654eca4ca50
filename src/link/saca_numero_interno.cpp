#include "link/saca_numero_interno.h"

#include "link/frm_especiales.h"

#include <optional>

namespace
{

constexpr int RecordCount = protocol::NumberingTableLength / protocol::NumberingRecordLength;

// The byte pair (A, B) of a record's Alto X and Bajo Y: A is the high nibble
// of X, B the low nibble of X followed by Y. Nothing when B would not fit in a
// byte (a low nibble of X with a Y of 16 or more can push it past 255).
std::optional<std::pair<unsigned char, unsigned char>> bytePair(int x, int y)
{
    const int a = x / 16;
    const int b = (x % 16) * 16 + y;
    if (b > 0xFF)
        return std::nullopt;
    return std::pair{static_cast<unsigned char>(a), static_cast<unsigned char>(b)};
}

QString numberOfSlot(const TablaInternos& table, int slot)
{
    const QString unnumbered = QStringLiteral("---");
    for (int r = 0; r < RecordCount; ++r) {
        const int offset = r * protocol::NumberingRecordLength;
        if (table[offset + 2] != slot)
            continue;
        const auto pair = bytePair(table[offset], table[offset + 1]);
        return pair ? FrmEspeciales::TraducedeDiscado(pair->first, pair->second) : unnumbered;
    }
    return unnumbered;
}

} // namespace

NumerosInternos Saca_Numero_Interno(const TablaInternos& table)
{
    NumerosInternos numbers;
    for (int slot = 1; slot <= protocol::ExtensionSlots; ++slot)
        numbers[slot] = numberOfSlot(table, slot);
    return numbers;
}
