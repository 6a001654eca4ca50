#pragma once

#include "platform/serial_port.h"
#include "wire/speed_dial_block.h"

class CallAlert;
class CallJournal;
class CommandQueue;
class ConsoleState;
class WindowControl;
class LinkPhase;
class LinkSupervision;
class Panel;
class PortProbe;
class Timer;
class TrayBalloon;

// The single handler of the serial port's notifications. It reads the message
// the link phase says is waiting, acts on it, answers where the
// protocol says so, and keeps the watchdog quiet while traffic flows. A line
// lost before the exchange's identity is the probe's port failure; later the
// watchdog notices the silence.
class ReceiveDispatcher
{
public:
    struct Link {
        SerialPort& port;
        Timer& watchdog;
        LinkPhase& phase;
        LinkSupervision& supervision;
        PortProbe& probe;
        CommandQueue& queue;
    };
    struct Console {
        ConsoleState& state;
        CallJournal& journal;
        Panel& panel;
        wire::SpeedDialBlock& speedDials;
        CallAlert& alert;
        TrayBalloon& balloon;
        WindowControl& window;
    };

    ReceiveDispatcher(Link link, Console console);

    // Enough bytes wait for the message awaited.
    void dataWaiting();
    void lineLost(const LineFailure& failure);

private:
    void numberingTable();
    void directoryBlock();
    void singleByte();
    void statusFrame();
    void pendingCallAlert();

    Link link_;
    Console console_;
};
