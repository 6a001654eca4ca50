#pragma once

#include <QByteArray>

class ConfigStore;
class Messages;
class SpeedDialDirectory;
struct Configuration;

// "OPR903.DAT": loaded once at start-up, saved when the operator answers Yes
// to the save question at closing.
class ConfigurationFile
{
public:
    ConfigurationFile(
        ConfigStore& store, Messages& messages, Configuration& configuration, SpeedDialDirectory& directory);

    // Silent. Stops at the first missing record, keeping what was read and
    // showing the notes read on the directory's first page; only a complete
    // load clears HayCambios.
    // A name that differs from the box's text is a change of that box.
    void load();
    // Writes the 94 records; a failure beeps and shows the system's error
    // text under "Selección incorrecta". The caller goes on either way.
    void Grabaendisco();

private:
    bool readRecords(const QByteArray& bytes);

    ConfigStore& store_;
    Messages& messages_;
    Configuration& configuration_;
    SpeedDialDirectory& directory_;
};
