#pragma once

#include <QByteArray>

#include <bitset>

// The client's side of Telnet with the COM-PORT-OPTION (RFC 854, RFC 2217),
// as a serial device server or ser2net speaks it, without any I/O: raw bytes
// from the server go in, the serial bytes and the answers to send back come
// out.
//
// On connecting the client offers to control the far port and asks for binary
// transmission both ways. Once the server agrees to the port control, the
// client asks for 9600 baud, 8 data bits, no parity, 1 stop bit and no flow
// control; the line is ready when the server has confirmed all five as asked
// (bytes after a confirmed value are ignored).
// Options other than binary, suppress-go-ahead and the port control are
// refused; the server's reports of line and modem state are ignored. In the
// data a 0xFF byte travels doubled.
class TelnetNegotiation
{
public:
    enum class State { Negotiating, Ready, Refused };

    struct Received {
        QByteArray data; // serial bytes, Telnet framing removed
        QByteArray reply; // to send to the server
    };

    // What the client sends as soon as the connection is made.
    QByteArray greeting();
    Received receive(const QByteArray& raw);
    State state() const { return state_; }

    // A serial byte as it travels to the server.
    static QByteArray escape(char byte);

private:
    enum class Parse { Data, Command, Option, Sub, SubCommand };

    void take(unsigned char byte, Received& out);
    void negotiate(unsigned char verb, unsigned char option, QByteArray& reply);
    void portControlAgreed(QByteArray& reply);
    void subnegotiation();

    Parse parse_ = Parse::Data;
    unsigned char verb_ = 0;
    QByteArray sub_;
    std::bitset<256> weDo_; // options this side has agreed to perform
    std::bitset<256> theyDo_; // options the server has been asked or allowed to perform
    bool settingsSent_ = false;
    unsigned confirmed_ = 0; // one bit per setting the server confirmed
    State state_ = State::Negotiating;
};
