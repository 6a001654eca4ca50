#include "configuration/configuration_file.h"

#include "configuration/configuration.h"
#include "configuration/configuration_records.h"
#include "platform/config_store.h"
#include "platform/messages.h"

ConfigurationFile::ConfigurationFile(
    ConfigStore& store, Messages& messages, Configuration& configuration, std::function<void()> showNotes)
    : store_(store)
    , messages_(messages)
    , configuration_(configuration)
    , showNotes_(std::move(showNotes))
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
    showNotes_();
    if (complete)
        configuration_.changed = false;
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
    configuration_.portNumber = *port;
    for (QString& name : configuration_.names) {
        const auto record = reader.next();
        if (!record)
            return false;
        const QString text = configuration_records::asText(*record);
        if (text != name)
            configuration_.changed = true;
        name = text;
    }
    for (QString& note : configuration_.memoryNotes) {
        const auto record = reader.next();
        if (!record)
            return false;
        note = configuration_records::asText(*record);
    }
    return true;
}

void ConfigurationFile::save()
{
    const std::optional<QString> error = store_.write(configuration_records::writeFile(configuration_));
    if (!error)
        return;
    messages_.beep();
    messages_.show(*error, QStringLiteral("Selección incorrecta"), MessageStyle::Critical);
}
