#pragma once

#include <QByteArray>

#include <functional>

class ConfigStore;
class Messages;
struct Configuration;

// "OPR903.DAT": loaded once at start-up, saved when the operator answers Yes
// to the save question at closing.
class ConfigurationFile
{
public:
    // showNotes puts the notes read on the directory's first page.
    ConfigurationFile(
        ConfigStore& store, Messages& messages, Configuration& configuration, std::function<void()> showNotes);

    // Silent. Stops at the first missing record, keeping what was read and
    // showing the notes read; only a complete load clears the change flag.
    // A name that differs from the box's text is a change of that box.
    void load();
    // Writes the 94 records; a failure beeps and shows the system's error
    // text under "Selección incorrecta". The caller goes on either way.
    void save();

private:
    bool readRecords(const QByteArray& bytes);

    ConfigStore& store_;
    Messages& messages_;
    Configuration& configuration_;
    std::function<void()> showNotes_;
};
