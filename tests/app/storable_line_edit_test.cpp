#include "app/storable_line_edit.h"
#include "qt_printers.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

// Types each character the way a keyboard delivers it (text of any script).
void type(QWidget& w, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&w, &press);
    }
}

void paste(QWidget& w, const QString& clip)
{
    QApplication::clipboard()->setText(clip);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
}

// Opens the box's context menu and, once it is up, chooses its Paste entry.
void pasteFromContextMenu(QWidget& w)
{
    QTimer::singleShot(0, [] {
        QWidget* menu = QApplication::activePopupWidget();
        for (QAction* a : menu->actions()) {
            if (a->text().startsWith("&Paste"))
                a->trigger();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&w, &event);
}

struct StorableLineEditTest : testing::Test {
    StorableLineEdit edit{13};
    const QString loaded = QString::fromUtf8("Administración 2"); // 16 characters from an older file
};

} // namespace

TEST_F(StorableLineEditTest, TypingAndPastingKeepOnlyStorableCharactersCutToTheRoomLeft)
{
    struct Case {
        QString before;
        bool pasted;
        QString input;
        QString expected;
        bool overAll = false; // typed or pasted over the whole text, selected
    };
    const Case cases[] = {
        {"", false, "abcdefghijklmnopq", "abcdefghijklm"}, {"", false, "Peña \"Sur\"", "Peña Sur"},
        {"", false, QString::fromUtf16(u"€1\u4E00\u0100ü"), QString::fromUtf16(u"€1ü")}, {"", true, "\"Juan\"", "Juan"},
        {"0123456789", true, "abcdef", "0123456789abc"}, {"", true, QString::fromUtf16(u"a\u4E00b\"c"), "abc"},
        {"0123456789abc", true, "x", "0123456789abc"}, {"Recepción", false, "\"", "Recepción", true},
        {"Recepción", true, QString::fromUtf16(u"\"\u4E00"), "Recepción", true},
        {loaded, false, "x", loaded}, // the program's text is kept whole, and typing cannot grow it
    };
    for (const Case& c : cases) {
        edit.setText(c.before);
        if (c.overAll)
            edit.selectAll();
        if (c.pasted)
            paste(edit, c.input);
        else
            type(edit, c.input);
        EXPECT_EQ(edit.text(), c.expected) << c.input.toStdString();
    }
}

// Typing over a whole selection replaces it; undo brings back the text over the limit.
TEST_F(StorableLineEditTest, TypingReplacesASelectionAndUndoBringsItBackWhole)
{
    edit.setText(loaded);
    edit.selectAll();
    type(edit, "Caja");
    EXPECT_EQ(edit.text(), "Caja");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), loaded); // more than the room the typing had
}

TEST_F(StorableLineEditTest, TheContextMenuPastesUnderTheSameRules)
{
    edit.show();
    QApplication::clipboard()->setText("\"x\"");
    pasteFromContextMenu(edit);
    EXPECT_EQ(edit.text(), "x");
}
