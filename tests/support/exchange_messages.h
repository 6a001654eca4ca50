#pragma once

#include "link/protocol.h"

#include <QByteArray>

#include <initializer_list>
#include <utility>

// Messages as the exchange sends them.
namespace exchange
{

inline const QByteArray Poll(1, char(protocol::Sondeo));

// The 10-byte identity reply: two leading bytes, then model and serial.
inline QByteArray identity(const char* modelAndSerial = "R9031234", const char* lead = "xx")
{
    return QByteArray(lead) + QByteArray(modelAndSerial);
}

// A numbering table that numbers slot s as 10 + s (Alto 0, two codes in Bajo).
inline QByteArray numberingTable()
{
    QByteArray table(protocol::NumberingTableLength, '\0');
    for (int slot = 1; slot <= protocol::ExtensionSlots; ++slot) {
        const int number = 10 + slot;
        const int units = number % 10 == 0 ? 0xA : number % 10;
        table[4 * (slot - 1) + 1] = char((number / 10) * 16 + units);
        table[4 * (slot - 1) + 2] = char(slot);
    }
    return table;
}

// 1456 bytes of 0xEE, then the 592 data bytes 0, 1, 2, ... (mod 256).
inline QByteArray directoryBlock()
{
    QByteArray block(protocol::DirectoryDiscardLength, char(0xEE));
    for (int i = 0; i < protocol::DirectoryDataLength; ++i)
        block.append(char(i & 0xFF));
    return block;
}

// A status frame with the given (index, code) pairs, 0 elsewhere.
inline QByteArray frame(std::initializer_list<std::pair<int, int>> indexAndCode = {})
{
    QByteArray f(protocol::StatusFrameLength, '\0');
    for (const auto& [index, code] : indexAndCode)
        f[index] = char(code);
    return f;
}

} // namespace exchange
