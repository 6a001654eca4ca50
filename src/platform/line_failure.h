#pragma once

#include <QString>

#include <utility>

// Why the line to the exchange could not be opened, or went away: the cause as
// far as the platform can tell it, and its own words for what it cannot.
struct LineFailure {
    enum class Cause {
        Unmapped, // only the platform's words say why
        InvalidPortNumber, // the port number names no device
        InvalidAddress, // not tcp://HOST:PORT nor rfc2217://HOST:PORT
        NoSuchDevice,
        NoPermission,
        Busy, // open elsewhere, or locked
        NotSerial, // the device is no serial port
        Vanished, // the device went away (unplugged)
        Refused, // nobody takes connections at the address
        UnknownHost,
        NoAnswer, // the connection was not made in time
        Closed, // the far end closed the connection
        Reset, // the far end broke the connection off
        SettingsRefused, // the device server would not set its port to 9600 8N1
    };

    LineFailure(Cause why = Cause::Unmapped, QString platformWords = {})
        : cause(why)
        , words(std::move(platformWords))
    {
    }

    Cause cause;
    // The platform's words (or the device server's), shown when the cause is Unmapped.
    QString words;
    // The device server said this of its own serial port, in words of its own
    // instead of the exchange's bytes.
    bool atPortServer = false;
    // What the operator can do about it, when the platform knows (in Spanish).
    QString remedy;
    // The device or address given for this run instead of the port number's
    // own device; empty for a numbered port.
    QString line;
};
