#pragma once

#include "link/bloque_memorias.h"
#include "link/link_phase.h"
#include "link/link_supervision.h"
#include "link/port_probe.h"
#include "link/receive_dispatcher.h"

class CallAlert;
class CallJournal;
class ColaSalida;
class ConfigurationSave;
class ConsoleState;
class ConsoleWindow;
class Messages;
class Panel;
class PortChoiceView;
class SerialPort;
class Timer;
class TrayBalloon;
struct Configuration;

// The whole link to the exchange: the probe on Timer5, the receive dispatcher
// on the port's notifications and the watchdog on Timer3, sharing one phase.
// Constructing it connects it to the port and both timers.
class ExchangeLink
{
public:
    struct Parts {
        SerialPort& port;
        Timer& timer3;
        Timer& timer5;
        Messages& messages;
        ConsoleState& state;
        CallJournal& journal;
        Panel& panel;
        ColaSalida& cola;
        Configuration& configuration;
        BloqueMemorias& memorias;
    };
    // What the link asks of the rest of the console.
    struct Outside {
        CallAlert& alert;
        TrayBalloon& balloon;
        ConsoleWindow& window;
        ConfigurationSave& save;
        PortChoiceView& portChoice;
    };

    ExchangeLink(Parts parts, Outside outside);

    PortProbe& probe() { return probe_; }
    LinkSupervision& supervision() { return supervision_; }
    ReceiveDispatcher& dispatcher() { return dispatcher_; }

private:
    LinkPhase phase_;
    LinkSupervision supervision_;
    PortProbe probe_;
    ReceiveDispatcher dispatcher_;
};
