#include "link/port_server_refusal.h"

#include <QString>

#include <algorithm>
#include <array>

namespace
{

using Cause = LineFailure::Cause;

// Each refusal's words up to its reason, if it gives one.
constexpr char CannotOpen[] = "Device open failure: ";
constexpr char InUse[] = "Port already in use\r\n";
constexpr std::array<const char*, 2> Refusals = {CannotOpen, InUse};
// Words longer than this are no device server's refusal.
constexpr qsizetype LongestRefusal = 200;

// The reasons the server gives for a device it cannot open, in its words.
struct Reason {
    const char* words;
    Cause cause;
};
constexpr std::array<Reason, 3> Reasons = {{
    {"Value or file not found", Cause::NoSuchDevice},
    {"Permission denied", Cause::NoPermission},
    {"Object was already in use", Cause::Busy},
}};

LineFailure atServer(LineFailure failure)
{
    failure.atPortServer = true;
    return failure;
}

LineFailure cannotOpen(const QByteArray& reason)
{
    const auto known = std::find_if(
        Reasons.begin(), Reasons.end(), [&reason](const Reason& r) { return reason == QByteArray(r.words); });
    if (known != Reasons.end())
        return atServer(LineFailure(known->cause));
    return atServer(LineFailure(Cause::Unmapped, QString::fromUtf8(reason)));
}

} // namespace

bool mayBePortServerRefusal(const QByteArray& start)
{
    if (start.size() > LongestRefusal || start.contains("\r\n"))
        return false;
    return std::any_of(Refusals.begin(), Refusals.end(), [&start](const char* words) {
        const QByteArray refusal(words);
        return start.size() < refusal.size() ? refusal.startsWith(start) : start.startsWith(refusal);
    });
}

std::optional<LineFailure> portServerRefusal(const QByteArray& start, bool ended)
{
    const qsizetype end = start.indexOf("\r\n");
    if (end < 0 && !ended)
        return std::nullopt;
    const QByteArray words = end < 0 ? start : start.left(end);
    if (words + "\r\n" == InUse)
        return atServer(LineFailure(Cause::Busy));
    const QByteArray prefix(CannotOpen);
    if (words.startsWith(prefix) && words.size() <= LongestRefusal)
        return cannotOpen(words.mid(prefix.size()).trimmed());
    return std::nullopt;
}
