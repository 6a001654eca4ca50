#include "app/storable_line_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

// Types one character the way a keyboard delivers it (text of any script).
void type(QWidget& w, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&w, &press);
    }
}

void pasteByKeyboard(QWidget& w, const QString& clip)
{
    QApplication::clipboard()->setText(clip);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
}

// Opens the box's context menu and chooses the action whose text starts so.
void chooseFromContextMenu(QWidget& w, const QString& actionText)
{
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* action = nullptr;
        for (QAction* a : menu ? menu->actions() : QList<QAction*>{}) {
            if (a->text().startsWith(actionText))
                action = a;
        }
        if (!menu || !action || !action->isEnabled()) {
            if (menu)
                menu->close();
            return;
        }
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
        chosen = true;
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&w, &event);
    EXPECT_TRUE(chosen) << actionText.toStdString();
}

struct StorableLineEditTest : testing::Test {
    StorableLineEdit edit{13};
};

} // namespace

TEST_F(StorableLineEditTest, TypingStopsAtTheLimitAndSkipsUnstorableCharacters)
{
    struct Case {
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {"abcdefghijklmnopq", "abcdefghijklm"},
        {"Peña \"Sur\"", "Peña Sur"},
        {QString::fromUtf16(u"€1\u4E00\u0100ü"), QString::fromUtf16(u"€1ü")},
    };
    for (const Case& c : cases) {
        edit.setText("");
        type(edit, c.typed);
        EXPECT_EQ(edit.text(), c.expected) << c.typed.toStdString();
    }
}

TEST_F(StorableLineEditTest, PasteDropsUnstorableCharactersAndIsCutToTheRoomLeft)
{
    struct Case {
        QString before;
        QString clip;
        QString expected;
    };
    const Case cases[] = {
        {"", "\"Juan\"", "Juan"},
        {"0123456789", "abcdef", "0123456789abc"},
        {"", QString::fromUtf16(u"a\u4E00b\"c"), "abc"},
        {"0123456789abc", "x", "0123456789abc"},
    };
    for (const Case& c : cases) {
        edit.setText(c.before);
        edit.end(false);
        pasteByKeyboard(edit, c.clip);
        EXPECT_EQ(edit.text(), c.expected) << c.clip.toStdString();
    }
}

TEST_F(StorableLineEditTest, AnEditOfOnlyRefusedCharactersChangesNothingNotEvenTheSelection)
{
    edit.setText("Recepción");
    edit.selectAll();
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    type(edit, "\"");
    pasteByKeyboard(edit, QString::fromUtf16(u"\"\u4E00"));
    EXPECT_EQ(edit.text(), "Recepción");
    EXPECT_EQ(edit.selectedText(), "Recepción");
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(StorableLineEditTest, TextSetByTheProgramIsKeptWholeAndTypingOnlyGrowsItWithinTheLimit)
{
    const QString loaded = "Administración 2"; // 16 characters from an older file
    edit.setText(loaded);
    EXPECT_EQ(edit.text(), loaded);
    edit.end(false);
    type(edit, "x");
    EXPECT_EQ(edit.text(), loaded);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    type(edit, "3");
    EXPECT_EQ(edit.text(), "Administración ");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), loaded);
    edit.selectAll();
    type(edit, "Caja");
    EXPECT_EQ(edit.text(), "Caja");
}

TEST_F(StorableLineEditTest, TypedAndPastedCharactersEmitOneChangeEach)
{
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    QSignalSpy edits(&edit, &QLineEdit::textEdited);
    type(edit, "ab\"");
    pasteByKeyboard(edit, "c\"d");
    EXPECT_EQ(edit.text(), "abcd");
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(edits.count(), 3);
}

TEST_F(StorableLineEditTest, TheContextMenuPastesUnderTheSameRules)
{
    edit.show();
    const QString loaded = "Administración 2";
    edit.setText(loaded);
    edit.end(false);
    QApplication::clipboard()->setText("\"x\"");
    chooseFromContextMenu(edit, "&Paste");
    EXPECT_EQ(edit.text(), loaded) << "no room for more";
    edit.clear();
    chooseFromContextMenu(edit, "&Paste");
    EXPECT_EQ(edit.text(), "x");
}
