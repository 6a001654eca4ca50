#pragma once

#include "link/bloque_memorias.h"
#include "platform/serial_port.h"

class CallAlert;
class CallJournal;
class ColaSalida;
class ConsoleState;
class ConsoleWindow;
class LinkPhase;
class LinkSupervision;
class Panel;
class PortProbe;
class Timer;
class TrayBalloon;

// The single handler of the serial port's notifications. It reads the message
// the receive threshold says is waiting, acts on it, answers where the
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
        ColaSalida& cola;
    };
    struct Console {
        ConsoleState& state;
        CallJournal& journal;
        Panel& panel;
        BloqueMemorias& memorias;
        CallAlert& alert;
        TrayBalloon& balloon;
        ConsoleWindow& window;
    };

    ReceiveDispatcher(Link link, Console console);

    void MSComm1_OnComm(SerialPort::Notification notification);

private:
    void numberingTable();
    void directoryBlock();
    void singleByte();
    void statusFrame();
    void pendingCallAlert();

    Link link_;
    Console console_;
};
