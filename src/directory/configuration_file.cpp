#include "directory/configuration_file.h"

#include "directory/configuration.h"
#include "directory/configuration_records.h"
#include "directory/speed_dial_directory.h"
#include "platform/config_store.h"
#include "platform/messages.h"

ConfigurationFile::ConfigurationFile(
    ConfigStore& store, Messages& messages, Configuration& configuration, SpeedDialDirectory& directory)
    : store_(store)
    , messages_(messages)
    , configuration_(configuration)
    , directory_(directory)
{
}

void ConfigurationFile::load()
{
    const std::optional<QByteArray> bytes = store_.read();
    if (!bytes)
        return;
    const bool complete = readRecords(*bytes);
    // A short file still puts the notes it gave on the first page: the
    // directory stores its rows back into the notes when it opens, and empty
    // rows would wipe the notes just loaded.
    directory_.showFirstNotes();
    if (complete)
        configuration_.hayCambios = false;
}

// Header, port, 18 names, 74 notes; false at the first record missing.
bool ConfigurationFile::readRecords(const QByteArray& bytes)
{
    configuration_records::Reader reader(bytes);
    if (!reader.next())
        return false;
    const auto port = reader.next();
    if (!port)
        return false;
    configuration_.numeroPuerto = *port;
    for (QString& name : configuration_.nombres) {
        const auto record = reader.next();
        if (!record)
            return false;
        const QString text = configuration_records::asText(*record);
        if (text != name)
            configuration_.hayCambios = true;
        name = text;
    }
    for (QString& note : configuration_.troncalMemoria) {
        const auto record = reader.next();
        if (!record)
            return false;
        note = configuration_records::asText(*record);
    }
    return true;
}

void ConfigurationFile::Grabaendisco()
{
    const std::optional<QString> error = store_.write(configuration_records::writeFile(configuration_));
    if (!error)
        return;
    messages_.beep();
    messages_.show(*error, QStringLiteral("Selección incorrecta"), MessageStyle::Critical);
}
