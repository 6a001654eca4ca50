#include "configuration/configuration.h"
#include "configuration/configuration_file.h"
#include "directory/speed_dial_directory.h"
#include "link/command_queue.h"

#include "fake_config_store.h"
#include "fake_messages.h"
#include "qt_printers.h"
#include "quiet_views.h"

#include <gtest/gtest.h>

namespace
{

// The records of a file as the console writes it, with names "i1".."i18" and notes "n1".."n74".
QList<QByteArray> fullRecords()
{
    QList<QByteArray> records{"\"R93OPR\"", "\"3\""};
    for (int i = 1; i <= NameBoxCount; ++i)
        records.append("\"i" + QByteArray::number(i) + "\"");
    for (int m = 1; m <= wire::MemoryCount; ++m)
        records.append("\"n" + QByteArray::number(m) + "\"");
    return records;
}

// A console's configuration file, its directory and what it shows.
struct FileRig {
    void load(const QList<QByteArray>& records)
    {
        store.file = records.join("\r\n") + "\r\n";
        file.load();
    }

    FakeConfigStore store;
    FakeMessages messages;
    Configuration configuration;
    wire::SpeedDialBlock speedDials{};
    CommandQueue queue;
    QuietDirectoryView view;
    SpeedDialDirectory directory{view, configuration, speedDials, queue};
    ConfigurationFile file{store, messages, configuration, [this] { directory.showFirstNotes(); }};
};

struct ConfigurationFileTest : FileRig, testing::Test {
};

} // namespace

TEST_F(ConfigurationFileTest, ACompleteFileLoadsAsNoChangeAndSavesBackByteForByte)
{
    QList<QByteArray> records = fullRecords();
    records[2] = "\"\""; // empty name
    records[3] = "\"Administraci\xF3n 2\""; // name over the typing limit
    records[4] = "\"\xD1\x61nez \x80 \x81\x8D\x8F\x90\x9D\""; // Windows-1252 letters and undefined bytes
    records[5] = "\"" + QByteArray(1 << 20, 'L') + "\""; // a name of a mebibyte
    records[20] = "\"\""; // empty note
    records[21] = "\"Urgencias m\xE9"
                  "dicas 24h\""; // note over the typing limit
    records[93] = "\"'single' quotes\"";
    for (const QByteArray& port :
        {QByteArray("\"3\""), QByteArray("1"), QByteArray(""), QByteArray("\"\""), QByteArray("\"16\"")}) {
        records[1] = port;
        configuration.changed = true;
        load(records);
        EXPECT_FALSE(configuration.changed) << "a complete load is no change";
        const QByteArray original = *store.file;
        configuration.changed = true;
        file.save();
        EXPECT_EQ(*store.file, original) << port.toStdString();
        EXPECT_TRUE(configuration.changed) << "saving leaves the flag";
    }
    EXPECT_TRUE(messages.log.isEmpty());
}

TEST_F(ConfigurationFileTest, AShortFileKeepsWhatWasReadAndOnlyANameThatDiffersFromItsBoxIsAChange)
{
    configuration.memoryNotes.fill("start");
    QList<QByteArray> records = fullRecords().mid(0, 50);
    records[0] = "\"OTRA COSA\""; // the header is never compared
    load(records);
    EXPECT_EQ(configuration.portNumber, RecordValue(QStringLiteral("3")));
    EXPECT_EQ(configuration.names[0], "i1");
    EXPECT_EQ(configuration.memoryNotes[29], "n30");
    EXPECT_EQ(configuration.memoryNotes[30], "start");
    EXPECT_EQ(directory.row(0).text, "n1") << "opening the directory must not wipe the notes read";
    directory.open();
    EXPECT_EQ(configuration.memoryNotes[0], "n1");
    // Names alone, then empty names: only a name that differs from its box is a change.
    for (const bool named : {true, false}) {
        FileRig rig;
        records = fullRecords().mid(0, 20);
        if (!named)
            std::fill(records.begin() + 2, records.end(), "\"\"");
        rig.load(records);
        EXPECT_EQ(rig.configuration.changed, named);
    }
}

TEST_F(ConfigurationFileTest, AMissingFileChangesNothingAndAFailedSaveShowsTheSystemErrorOnce)
{
    configuration.names[0] = "start";
    file.load();
    EXPECT_EQ(configuration.portNumber, RecordValue{});
    EXPECT_EQ(configuration.names[0], "start");
    EXPECT_FALSE(configuration.changed);

    store.failWith = QStringLiteral("No space left on device");
    file.save();
    EXPECT_EQ(messages.log, (QStringList{"beep", "16 Selección incorrecta | No space left on device"}));
}
