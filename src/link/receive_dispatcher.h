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
// protocol says so, and keeps the watchdog quiet while traffic flows.
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

    void handleNotification(SerialPort::Notification notification);

private:
    void numberingTable();
    void directoryBlock();
    void singleByte();
    void statusFrame();
    void pendingCallAlert();

    Link link_;
    Console console_;
};
