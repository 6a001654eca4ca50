#pragma once

#include "wire/commands.h"
#include "wire/frame_layout.h"

#include <QByteArray>

// Messages as the exchange sends them, each of its full length; the table
// and the directory blank.
namespace exchange
{

inline const QByteArray Poll(1, char(wire::Poll));
inline const QByteArray Identity("xxR9031234"); // two leading bytes, then model and serial
inline const QByteArray NumberingTable(wire::NumberingTableLength, '\0');
inline const QByteArray DirectoryBlock(wire::DirectoryDiscardLength + wire::DirectoryDataLength, '\0');
inline const QByteArray IdleFrame(wire::StatusFrameLength, '\0');

} // namespace exchange
