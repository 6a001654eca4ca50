#pragma once

// The bytes and block lengths of the serial conversation with the exchange.
//
// The exchange polls, the console answers with exactly one byte, the exchange
// sends a status frame. Everything before polling is a fixed request/block
// exchange. There is no framing: the receive threshold (the length of the next
// expected message) is the whole protocol state.

namespace protocol
{

// Console to exchange: one byte each.
inline constexpr unsigned char PideIdentidad = 0x44; // "D": identity request
inline constexpr unsigned char PideTablaInternos = 0x42; // "B": numbering table
inline constexpr unsigned char PideMemorias = 0x43; // "C": speed-dial block
inline constexpr unsigned char IniciaSondeo = 0xC0; // start or restart polling
inline constexpr unsigned char SinComando = 0x8E; // poll answer with an empty queue
inline constexpr unsigned char FinConexion = 0x8F; // end of the connection
inline constexpr unsigned char Corta = 0x80; // cut, or transfer
inline constexpr unsigned char Retiene = 0x81; // hold
inline constexpr unsigned char Recupera = 0x82; // retrieve

// Act on extension slot 1-19.
constexpr unsigned char SeleccionInterno(int slot)
{
    return static_cast<unsigned char>(slot);
}
// Act on outside line 1-6.
constexpr unsigned char SeleccionLinea(int line)
{
    return static_cast<unsigned char>(0x20 + line);
}
// Dial speed-dial memory 1-74.
constexpr unsigned char MarcaMemoria(int memory)
{
    return static_cast<unsigned char>(0x90 + memory);
}

// Exchange to console.
inline constexpr unsigned char Sondeo = 0x19; // the poll

inline constexpr int ExtensionSlots = 19;
inline constexpr int OutsideLines = 6;
inline constexpr int MemoryCount = 74;
inline constexpr int MemoryRecordLength = 8;
inline constexpr int NumberingRecordLength = 4;

inline constexpr int IdentityLength = 10;
inline constexpr int NumberingTableLength = 512;
inline constexpr int DirectoryBlockLength = 2048;
inline constexpr int DirectoryDiscardLength = 1456;
inline constexpr int DirectoryDataLength = DirectoryBlockLength - DirectoryDiscardLength; // 592
inline constexpr int StatusFrameLength = ExtensionSlots + OutsideLines; // 25

inline constexpr char ExpectedModel[] = "R903";
inline constexpr char Version[] = "V1.00";

// The receive threshold is always the length of the next expected message:
//
//   threshold  waiting for        on arrival                         next
//   10         identity reply     model "R903": send 0x42            512
//   10         identity reply     other model: send 0x8F             0
//   512        numbering table    send 0x43                          2048
//   2048       directory block    send 0xC0                          1
//   1          a single byte      0x19: answer (not 0x8F)            25
//   1          a single byte      0x19: answer 0x8F                  0
//   1          a single byte      any other byte: nothing            1
//   25         status frame       apply it                           1
//   0          nothing            no notifications                   -
namespace threshold
{
inline constexpr int Off = 0;
inline constexpr int Identity = IdentityLength;
inline constexpr int NumberingTable = NumberingTableLength;
inline constexpr int DirectoryBlock = DirectoryBlockLength;
inline constexpr int SingleByte = 1;
inline constexpr int StatusFrame = StatusFrameLength;
} // namespace threshold

} // namespace protocol
