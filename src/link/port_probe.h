#pragma once

#include "link/link_phase.h"
#include "platform/line_failure.h"

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
// is connected. A line lost before the exchange has identified itself (a
// device server that cannot open its own port says so and hangs up) is a port
// failure too.
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
    // The line went away while the identity reply was awaited.
    void lineLost(const LineFailure& failure);
    // Acepta, or a double-click on a list entry; the selected entry's text, if any.
    void accept(const std::optional<QString>& selectedEntry);

private:
    // The rest of the probe once the port has opened, or its failure.
    void portOpened(int portNumber, const std::optional<LineFailure>& failure);
    // The title names the port number's text, or the line given for the run.
    void portFailure(const LineFailure& failure, const QString& portNumberText);

    Timer& probeTimer_;
    SerialPort& port_;
    LinkPhase& phase_;
    Configuration& configuration_;
    Window window_;
    QString portNumberText_; // of the port opened last, as the failure title shows it
};
