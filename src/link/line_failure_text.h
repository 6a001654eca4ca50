#pragma once

#include <QString>

struct LineFailure;

// Why the line failed, as the operator reads it in the port-failure message:
// a short Spanish sentence for every cause the platform can tell, its own
// words for the rest; a device server's refusal says it was the server's own
// port; the remedy, when there is one, on a line of its own.
QString lineFailureText(const LineFailure& failure);
