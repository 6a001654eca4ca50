#pragma once

#include "link/link_phase.h"

#include <QString>

#include <cstdint>

class ConfigurationSave;
class WindowControl;
class Messages;
class Timer;
struct Configuration;

// The watchdog over the link. The link phase names the silence it watches
// for; an expiry either retries the polling once or reports the fault
// and closes the console, asking first whether to save a changed configuration.
class LinkSupervision
{
public:
    struct Closing {
        Messages& messages;
        Configuration& configuration;
        ConfigurationSave& save;
        WindowControl& window;
    };

    LinkSupervision(Timer& watchdog, LinkPhase& phase, Closing closing);

    // The watchdog fired.
    void expire();
    // A single byte came from the exchange: the link is alive.
    void resetRetries() { retries_ = 0; }
    std::int16_t retries() const { return retries_; }

private:
    void retryPolling();
    void report(const QString& text);
    void closingSequence();

    Timer& watchdog_;
    LinkPhase& phase_;
    Closing closing_;
    std::int16_t retries_ = 0;
    // Set when a close begins; expiries during its modal messages start nothing.
    bool closeStarted_ = false;
};
