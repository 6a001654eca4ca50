#include "app/speed_dial_page.h"

#include "app/storable_line_edit.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace
{

constexpr int Rows = SpeedDialDirectory::Rows;

// The console window with its directory frame, memory e with the note "nota <e + 1>".
struct SpeedDialPageTest : ShownWindowTest {
    SpeedDialPageTest()
    {
        for (int e = 0; e < wire::MemoryCount; ++e)
            w.configuration.memoryNotes[e] = QStringLiteral("nota %1").arg(e + 1);
        w.directory.showFirstNotes();
    }

    SpeedDialPage& frame = *w.directoryFrame;
};

} // namespace

// Each position shows the twelve memories from it on; a double click on a row dials it.
TEST_F(SpeedDialPageTest, PagesByTwelveOrOneUpToTheLastPageAndADoubleClickDialsARow)
{
    w.directory.open();
    for (const auto& [action, position] : {std::pair{QAbstractSlider::SliderNoAction, 0},
             {QAbstractSlider::SliderPageStepAdd, 12}, {QAbstractSlider::SliderSingleStepAdd, 13},
             {QAbstractSlider::SliderToMinimum, 0}, {QAbstractSlider::SliderToMaximum, 62}}) {
        frame.scrollBar()->triggerAction(action);
        for (int r = 0; r < Rows; ++r) {
            const int n = position + r + 1;
            EXPECT_EQ(frame.numberField(r)->text(), QStringLiteral(" %1").arg(n)) << n;
            EXPECT_EQ(frame.digitsField(r)->text(), QStringLiteral("5%1").arg(n, 2, 10, QChar(u'0'))) << n;
            EXPECT_EQ(frame.noteField(r)->text(), QStringLiteral("nota %1").arg(n)) << n;
        }
    }
    QTest::mouseDClick(frame.digitsField(11), Qt::LeftButton);
    EXPECT_EQ(w.queued(), std::vector<int>{0xDA}); // memory 74, once
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(SpeedDialPageTest, AClickSelectsAWholeNoteWhatCanBeStoredOfTheTypingIsKeptAndVolverStoresIt)
{
    w.directory.open();
    StorableLineEdit* note = frame.noteField(2);
    QTest::mouseClick(note, Qt::LeftButton, {}, QPoint(20, note->height() / 2));
    EXPECT_EQ(note->selectedText(), "nota 3");
    QTest::keyClicks(note, "Bomberos \"112\" y mas");
    QTest::mouseClick(frame.backButton(), Qt::LeftButton);
    EXPECT_EQ(w.configuration.memoryNotes[2], "Bomberos 112 ");
}

// Keys in a row's field; the focus keeps to the field's column.
TEST_F(SpeedDialPageTest, KeysWalkRowsAndPagesDialTheFocusedRowAndEscClosesAsVolver)
{
    w.directory.openFocused();
    frame.digitsField(10)->setFocus();
    struct Step {
        Qt::Key key;
        int position;
        int row;
    };
    for (const Step& s : {Step{Qt::Key_Down, 0, 11}, {Qt::Key_Down, 1, 11}, {Qt::Key_PageDown, 13, 11},
             {Qt::Key_Up, 13, 10}, {Qt::Key_PageUp, 1, 10}, {Qt::Key_PageUp, 0, 10}, {Qt::Key_PageDown, 12, 10},
             {Qt::Key_PageDown, 24, 10}, {Qt::Key_7, 24, 10}, {Qt::Key_PageDown, 36, 10}, {Qt::Key_PageDown, 48, 10},
             {Qt::Key_PageDown, 60, 10}, {Qt::Key_PageDown, 62, 10}}) {
        QTest::keyClick(QApplication::focusWidget(), s.key);
        EXPECT_EQ(frame.scrollBar()->value(), s.position) << s.key;
        EXPECT_EQ(QApplication::focusWidget(), frame.digitsField(s.row)) << s.key;
    }
    EXPECT_EQ(frame.digitsField(10)->text(), "573"); // the keys typed nothing, not even a digit
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w.session.queue().at(0), 0xD9); // memory 73
    EXPECT_FALSE(frame.isVisible());

    w.directory.openFocused();
    QTest::keyClicks(frame.noteField(0), "Taxi");
    QTest::keyClick(frame.noteField(0), Qt::Key_Escape);
    EXPECT_EQ(w.configuration.memoryNotes[0], "nota 1Taxi");
    EXPECT_EQ(w.session.queue().at(1), 0);
}
