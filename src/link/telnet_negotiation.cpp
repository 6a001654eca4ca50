#include "link/telnet_negotiation.h"

#include <array>
#include <cstdint>

namespace
{

// Telnet commands and options (RFC 854, 856, 858, 2217).
constexpr unsigned char Se = 240;
constexpr unsigned char Sb = 250;
constexpr unsigned char Will = 251;
constexpr unsigned char Wont = 252;
constexpr unsigned char Do = 253;
constexpr unsigned char Dont = 254;
constexpr unsigned char Iac = 255;
constexpr unsigned char Binary = 0;
constexpr unsigned char SuppressGoAhead = 3;
constexpr unsigned char ComPortOption = 44;
// A server's answer to a port command carries the command plus this.
constexpr unsigned char ServerReply = 100;

// The far line's settings, each as its port command and its value bytes.
struct Setting {
    unsigned char command;
    QByteArray value;
};

const std::array<Setting, 5>& lineSettings()
{
    static const std::array<Setting, 5> settings = {{
        {1, QByteArray("\x00\x00\x25\x80", 4)}, // SET-BAUDRATE 9600
        {2, QByteArray("\x08", 1)}, // SET-DATASIZE 8
        {3, QByteArray("\x01", 1)}, // SET-PARITY none
        {4, QByteArray("\x01", 1)}, // SET-STOPSIZE 1
        {5, QByteArray("\x01", 1)}, // SET-CONTROL no flow control
    }};
    return settings;
}

constexpr unsigned AllConfirmed = (1u << 5) - 1;
// Longer port commands than any the RFC defines are cut, not kept whole.
constexpr qsizetype LongestSubnegotiation = 16;

bool weMayDo(unsigned char option)
{
    return option == Binary || option == SuppressGoAhead || option == ComPortOption;
}

bool theyMayDo(unsigned char option)
{
    return option == Binary || option == SuppressGoAhead;
}

QByteArray command(unsigned char verb, unsigned char option)
{
    const char bytes[] = {char(Iac), char(verb), char(option)};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray portCommand(const Setting& setting)
{
    QByteArray bytes = command(Sb, ComPortOption);
    bytes.append(char(setting.command));
    for (const char b : setting.value)
        bytes.append(TelnetNegotiation::escape(b));
    bytes.append(char(Iac));
    bytes.append(char(Se));
    return bytes;
}

} // namespace

QByteArray TelnetNegotiation::greeting()
{
    weDo_.set(ComPortOption);
    weDo_.set(Binary);
    theyDo_.set(Binary);
    return command(Will, ComPortOption) + command(Will, Binary) + command(Do, Binary);
}

TelnetNegotiation::Received TelnetNegotiation::receive(const QByteArray& raw)
{
    Received out;
    for (const char c : raw)
        take(static_cast<unsigned char>(c), out);
    return out;
}

QByteArray TelnetNegotiation::escape(char byte)
{
    return static_cast<unsigned char>(byte) == Iac ? QByteArray(2, char(Iac)) : QByteArray(1, byte);
}

void TelnetNegotiation::take(unsigned char byte, Received& out)
{
    switch (parse_) {
    case Parse::Data:
        if (byte == Iac)
            parse_ = Parse::Command;
        else
            out.data.append(char(byte));
        return;
    case Parse::Command:
        parse_ = Parse::Data;
        if (byte == Iac) {
            out.data.append(char(byte));
        } else if (byte == Sb) {
            sub_.clear();
            parse_ = Parse::Sub;
        } else if (byte >= Will) {
            verb_ = byte;
            parse_ = Parse::Option;
        } // other commands (NOP, go-ahead, ...) carry nothing for a serial line
        return;
    case Parse::Option:
        parse_ = Parse::Data;
        negotiate(verb_, byte, out.reply);
        return;
    case Parse::Sub:
        if (byte == Iac)
            parse_ = Parse::SubCommand;
        else if (sub_.size() < LongestSubnegotiation)
            sub_.append(char(byte));
        return;
    case Parse::SubCommand:
        if (byte == Iac) {
            sub_.append(char(byte));
            parse_ = Parse::Sub;
            return;
        }
        subnegotiation();
        // IAC SE ends it; any other command ends it too and is read as such.
        parse_ = Parse::Command;
        if (byte == Se)
            parse_ = Parse::Data;
        else
            take(byte, out);
        return;
    }
}

// DO and DONT ask about this side's options, WILL and WONT about the
// server's. Only a change of an option's state is answered, so agreements
// never loop.
void TelnetNegotiation::negotiate(unsigned char verb, unsigned char option, QByteArray& reply)
{
    const bool aboutUs = verb == Do || verb == Dont;
    const bool enable = verb == Do || verb == Will;
    std::bitset<256>& on = aboutUs ? weDo_ : theyDo_;
    const unsigned char yes = aboutUs ? Will : Do;
    const unsigned char no = aboutUs ? Wont : Dont;
    if (enable && !(aboutUs ? weMayDo(option) : theyMayDo(option))) {
        reply += command(no, option);
        return;
    }
    if (on.test(option) != enable)
        reply += command(enable ? yes : no, option);
    on.set(option, enable);
    if (!aboutUs || option != ComPortOption)
        return;
    if (enable)
        portControlAgreed(reply);
    else
        state_ = State::Refused;
}

void TelnetNegotiation::portControlAgreed(QByteArray& reply)
{
    if (settingsSent_)
        return;
    settingsSent_ = true;
    for (const Setting& setting : lineSettings())
        reply += portCommand(setting);
}

// A port command from the server: a confirmation of one of the settings is
// checked against what was asked, by the value's own length (some servers pad
// it); reports of line and modem state are ignored.
void TelnetNegotiation::subnegotiation()
{
    if (sub_.size() < 2 || static_cast<unsigned char>(sub_[0]) != ComPortOption || state_ != State::Negotiating)
        return;
    const auto answered = static_cast<unsigned char>(sub_[1]);
    for (std::size_t i = 0; i < lineSettings().size(); ++i) {
        const Setting& setting = lineSettings()[i];
        if (answered != setting.command + ServerReply)
            continue;
        if (!sub_.mid(2).startsWith(setting.value)) {
            state_ = State::Refused;
            return;
        }
        confirmed_ |= 1u << i;
    }
    if (confirmed_ == AllConfirmed)
        state_ = State::Ready;
}
