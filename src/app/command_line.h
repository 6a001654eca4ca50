#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of this run. Started bare, the console runs as
// the operator knows it, with its configuration in the working folder.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    // Help or version text for standard output, or the error for standard error.
    QString text;
    std::optional<QString> device;
    bool demo = false;
    std::optional<QString> trace;
};

// Reads the arguments (the program name first) without needing an application
// object, a window or a display.
CommandLine parseCommandLine(const QStringList& arguments);
