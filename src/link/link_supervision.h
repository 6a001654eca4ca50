#pragma once

#include "link/link_phase.h"

#include <QString>

#include <cstdint>

class ConfigurationSave;
class ConsoleWindow;
class Messages;
class Timer;
struct Configuration;

// The watchdog Timer3 over the link. Its interval names what the console is
// waiting for; an expiry either retries the polling once or reports the fault
// and closes the console, asking first whether to save a changed configuration.
class LinkSupervision
{
public:
    struct Closing {
        Messages& messages;
        Configuration& configuration;
        ConfigurationSave& save;
        ConsoleWindow& window;
    };

    LinkSupervision(Timer& watchdog, LinkPhase& phase, Closing closing);

    // Timer3 fired.
    void expire();
    // A single byte came from the exchange: the link is alive.
    void resetReintentos() { reintentos_ = 0; }
    std::int16_t reintentos() const { return reintentos_; }

private:
    void retryPolling();
    void report(const QString& text);
    void closingSequence();

    Timer& watchdog_;
    LinkPhase& phase_;
    Closing closing_;
    std::int16_t reintentos_ = 0;
    // Set when a close begins; expiries during its modal messages start nothing.
    bool closeStarted_ = false;
};
