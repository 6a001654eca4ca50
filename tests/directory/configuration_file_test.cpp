#include "directory/configuration.h"
#include "directory/configuration_file.h"
#include "directory/speed_dial_directory.h"
#include "link/cola_salida.h"

#include "fake_config_store.h"
#include "fake_messages.h"
#include "qt_printers.h"
#include "quiet_directory_view.h"

#include <gtest/gtest.h>

namespace
{

// The records of a file as the console writes it, with names "i1".."i18" and notes "n1".."n74".
QList<QByteArray> fullRecords()
{
    QList<QByteArray> records{"\"R93OPR\"", "\"3\""};
    for (int i = 1; i <= NameBoxCount; ++i)
        records.append("\"i" + QByteArray::number(i) + "\"");
    for (int m = 1; m <= protocol::MemoryCount; ++m)
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
    BloqueMemorias memorias{};
    ColaSalida cola;
    QuietDirectoryView view;
    SpeedDialDirectory directory{view, configuration, memorias, cola};
    ConfigurationFile file{store, messages, configuration, directory};
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
        configuration.hayCambios = true;
        load(records);
        EXPECT_FALSE(configuration.hayCambios) << "a complete load is no change";
        const QByteArray original = *store.file;
        configuration.hayCambios = true;
        file.Grabaendisco();
        EXPECT_EQ(*store.file, original) << port.toStdString();
        EXPECT_TRUE(configuration.hayCambios) << "saving leaves the flag";
    }
    EXPECT_TRUE(messages.log.isEmpty());
}

TEST_F(ConfigurationFileTest, AShortFileKeepsWhatWasReadAndOnlyANameThatDiffersFromItsBoxIsAChange)
{
    configuration.troncalMemoria.fill("start");
    QList<QByteArray> records = fullRecords().mid(0, 50);
    records[0] = "\"OTRA COSA\""; // the header is never compared
    load(records);
    EXPECT_EQ(configuration.numeroPuerto, NumeroPuerto(QStringLiteral("3")));
    EXPECT_EQ(configuration.nombres[0], "i1");
    EXPECT_EQ(configuration.troncalMemoria[29], "n30");
    EXPECT_EQ(configuration.troncalMemoria[30], "start");
    EXPECT_EQ(directory.row(0).text, "n1") << "opening the directory must not wipe the notes read";
    directory.open();
    EXPECT_EQ(configuration.troncalMemoria[0], "n1");
    // Names alone, then empty names: only a name that differs from its box is a change.
    for (const bool named : {true, false}) {
        FileRig rig;
        records = fullRecords().mid(0, 20);
        if (!named)
            std::fill(records.begin() + 2, records.end(), "\"\"");
        rig.load(records);
        EXPECT_EQ(rig.configuration.hayCambios, named);
    }
}

TEST_F(ConfigurationFileTest, AMissingFileChangesNothingAndAFailedSaveShowsTheSystemErrorOnce)
{
    configuration.nombres[0] = "start";
    file.load();
    EXPECT_EQ(configuration.numeroPuerto, NumeroPuerto{});
    EXPECT_EQ(configuration.nombres[0], "start");
    EXPECT_FALSE(configuration.hayCambios);

    store.failWith = QStringLiteral("No space left on device");
    file.Grabaendisco();
    EXPECT_EQ(messages.log, (QStringList{"beep", "16 Selección incorrecta | No space left on device"}));
}
