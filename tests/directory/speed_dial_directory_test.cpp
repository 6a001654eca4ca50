#include "configuration/configuration.h"
#include "directory/speed_dial_directory.h"
#include "link/command_queue.h"

#include "qt_printers.h"
#include "quiet_views.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace
{

struct SpeedDialDirectoryTest : testing::Test {
    // Memory e holds the note "nota <e + 1>"; memory 6 also holds a number.
    void writeEveryNote()
    {
        for (int e = 0; e < wire::MemoryCount; ++e)
            configuration.memoryNotes[e] = QStringLiteral("nota %1").arg(e + 1);
        setMemory(6, {0x1F});
        directory.showFirstNotes(); // as a complete load does
    }
    void setMemory(int entry, std::initializer_list<unsigned char> numberBytes)
    {
        int i = entry * wire::MemoryRecordLength + 1;
        for (const unsigned char b : numberBytes)
            speedDials[i++] = b;
    }

    Configuration configuration;
    wire::SpeedDialBlock speedDials{};
    CommandQueue queue;
    QuietDirectoryView view;
    SpeedDialDirectory directory{view, configuration, speedDials, queue};
};

} // namespace

// The digits themselves are read end to end from the memories the exchange holds.
TEST_F(SpeedDialDirectoryTest, ARowDialsOnlyWithDigitsAndRoomInTheQueue)
{
    setMemory(0, {0x12});
    setMemory(3, {0x34});
    directory.open();
    for (int i = 0; i < 9; ++i)
        queue.queue(0x01);
    directory.dial(1); // no digits
    EXPECT_EQ(queue.at(9), 0);
    EXPECT_TRUE(directory.visible());
    directory.dial(3); // the last free place
    EXPECT_EQ(queue.at(9), 0x94);
    EXPECT_FALSE(directory.visible());
    directory.open();
    directory.dial(0); // no room: nothing queued, the frame stays
    EXPECT_EQ(queue.at(9), 0x94);
    EXPECT_TRUE(directory.visible());
}

TEST_F(SpeedDialDirectoryTest, NotesOnScreenReachTheConfigurationOnlyWhenTheirPageIsLeft)
{
    writeEveryNote();
    directory.open();
    directory.scrollTo(5);
    directory.textEdited(0, "Taxi");
    directory.dial(1); // dialling stores nothing
    EXPECT_EQ(configuration.memoryNotes[5], "nota 6");
    directory.open(); // into the page the rows came from, then the first page
    EXPECT_EQ(configuration.memoryNotes[5], "Taxi");
    EXPECT_EQ(directory.scrollPosition(), 0);
    EXPECT_EQ(directory.row(5).text, "Taxi");
    directory.textEdited(11, "Hospital");
    directory.scrollTo(12);
    EXPECT_EQ(configuration.memoryNotes[11], "Hospital");
    EXPECT_EQ(directory.row(0).text, "nota 13");
}

TEST_F(SpeedDialDirectoryTest, OnlyWritesThatChangeANoteFieldCountAsChanges)
{
    directory.open();
    directory.scrollTo(30);
    directory.scrollTo(0);
    directory.textEdited(3, "");
    EXPECT_FALSE(configuration.changed) << "all notes empty: nothing on screen changed";
    configuration.memoryNotes[40] = "x";
    directory.scrollTo(30);
    EXPECT_TRUE(configuration.changed) << "paging onto a differing note";
    configuration.changed = false;
    directory.textEdited(3, "y");
    EXPECT_TRUE(configuration.changed) << "typing";
}
