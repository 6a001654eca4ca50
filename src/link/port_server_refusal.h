#pragma once

#include "platform/line_failure.h"

#include <QByteArray>

#include <optional>

// The words a serial device server sends instead of the line's bytes when it
// cannot give this client its serial port, as ser2net says them ("Device open
// failure: REASON" or "Port already in use", one line ended by CR LF), before
// it hangs up. Told from the first bytes the server sends.

// Whether the first bytes may still become such words (more must come to tell).
bool mayBePortServerRefusal(const QByteArray& start);
// The server's refusal, once its words are whole (`ended`: nothing more will come).
std::optional<LineFailure> portServerRefusal(const QByteArray& start, bool ended);
