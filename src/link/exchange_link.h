#pragma once

#include "link/link_phase.h"
#include "link/link_supervision.h"
#include "link/port_probe.h"
#include "link/receive_dispatcher.h"
#include "wire/speed_dial_block.h"

class CallAlert;
class CallJournal;
class CommandQueue;
class ConfigurationSave;
class ConsoleState;
class WindowControl;
class Messages;
class Panel;
class PortChoiceView;
class SerialPort;
class Timer;
class TrayBalloon;
struct Configuration;

// The whole link to the exchange: the probe on its timer, the receive
// dispatcher on the port's notifications and the supervision on the watchdog,
// sharing one phase.
// Constructing it connects it to the port and both timers.
class ExchangeLink
{
public:
    struct Parts {
        SerialPort& port;
        Timer& watchdog;
        Timer& probeTimer;
        Messages& messages;
        ConsoleState& state;
        CallJournal& journal;
        Panel& panel;
        CommandQueue& queue;
        Configuration& configuration;
        wire::SpeedDialBlock& speedDials;
    };
    // What the link asks of the rest of the console.
    struct Outside {
        CallAlert& alert;
        TrayBalloon& balloon;
        WindowControl& window;
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
