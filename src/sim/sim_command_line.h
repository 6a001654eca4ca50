#pragma once

#include "sim/exchange_options.h"

#include <QString>
#include <QStringList>

#include <variant>

// What r903-sim was asked to do.
struct SimCommandLine {
    bool pseudoTerminal = false; // --pty; otherwise --device
    QString device;
    QString dataFile; // --data: the exchange's numbering and memories
    QString scriptFile; // --script: frames, garbage and pauses to play
    QString recordFile; // --record: every byte the console sent, with its time
    bool control = false; // --control: more script lines come on standard input
    ExchangeOptions options;
};

// Help and version texts, or a usage error, come back as the text to print.
struct SimCommandLineExit {
    QString text;
    int status; // 0 for --help and --version, 2 for a wrong command line
};

std::variant<SimCommandLine, SimCommandLineExit> parseSimCommandLine(const QStringList& arguments);
