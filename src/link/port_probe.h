#pragma once

#include "link/link_phase.h"

#include <QString>

#include <optional>

class Messages;
class Panel;
class PortChoiceView;
class SerialPort;
class Timer;
struct Configuration;

// Opens the stored serial port 300 ms after start-up (the probe timer), sends the
// identity request and checks the exchange's model; when the port cannot be
// opened, offers the list of port numbers and probes the one accepted. A line
// over the network opens later: nothing is sent and no watchdog runs until it
// is connected.
class PortProbe
{
public:
    struct Window {
        Messages& messages;
        Panel& panel;
        PortChoiceView& portChoice;
    };

    PortProbe(Timer& probeTimer, SerialPort& port, LinkPhase& phase, Configuration& configuration, Window window);

    // The probe timer fired.
    void probe();
    // The 10-character identity reply is waiting.
    void identificationAnswer();
    // Acepta, or a double-click on a list entry; the selected entry's text, if any.
    void accept(const std::optional<QString>& selectedEntry);

private:
    // The rest of the probe once the port has opened, or its failure.
    void portOpened(int portNumber, const std::optional<QString>& error);
    void portFailure(const QString& description, const QString& portNumberText);

    Timer& probeTimer_;
    SerialPort& port_;
    LinkPhase& phase_;
    Configuration& configuration_;
    Window window_;
};
