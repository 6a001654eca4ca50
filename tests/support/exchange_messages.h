#pragma once

#include "link/protocol.h"

#include <QByteArray>

// Messages as the exchange sends them, each of its full length; the table
// and the directory blank.
namespace exchange
{

inline const QByteArray Poll(1, char(protocol::Sondeo));
inline const QByteArray Identity("xxR9031234"); // two leading bytes, then model and serial
inline const QByteArray NumberingTable(protocol::NumberingTableLength, '\0');
inline const QByteArray DirectoryBlock(protocol::DirectoryDiscardLength + protocol::DirectoryDataLength, '\0');
inline const QByteArray IdleFrame(protocol::StatusFrameLength, '\0');

} // namespace exchange
