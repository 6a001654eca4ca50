#pragma once

#include "console/palette.h"

// The parts of the console that start-up and the ways out drive.
class ConsoleParts
{
public:
    virtual ~ConsoleParts() = default;

    virtual void setPalette(const Palette& palette) = 0;
    virtual void layOutPanel() = 0;
    virtual void loadConfiguration() = 0;
    // The port-choice panel is shown (the port is closed).
    virtual bool portChoiceVisible() const = 0;
    // Puts the end-of-connection byte at the head of the transmit queue.
    virtual void endConnection() = 0;
    // When the configuration changed: asks whether to save it and saves on Yes.
    virtual void askToSaveChanges() = 0;
    // The window goes away: the watchdog stops, the serial port is closed,
    // the calls still waiting end unfinished and the journal writes what it holds.
    virtual void closeLink() = 0;
};
