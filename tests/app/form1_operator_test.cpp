#include "app/click_label.h"
#include "app/name_box.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// The window shown and active, so that focus moves as for the operator.
struct Form1OperatorTest : testing::Test {
    WiredWindow w;

    void SetUp() override
    {
        w.form.show();
        w.form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    }

    static void click(QWidget* target, Qt::MouseButton button)
    {
        QTest::mouseClick(target, button, Qt::NoModifier, target->rect().center());
    }

    QWidget* focus() const { return QApplication::focusWidget(); }
    NameBox* box(int i) const { return w.form.nameBox(i); }

    void type(int i, const QString& text)
    {
        for (QChar c : text)
            QTest::keyClick(box(i), c.toLatin1());
    }
};

} // namespace

TEST_F(Form1OperatorTest, LeftClicksOnEachExtensionTargetQueueTheSlot)
{
    w.configuration.nombres[4] = "Ana";
    w.names.showNames();
    click(w.form.numberLabel(0), Qt::LeftButton);
    click(w.form.extensionOverlay(1), Qt::LeftButton);
    click(box(4), Qt::LeftButton);
    click(w.form.extensionOverlay(18), Qt::LeftButton);
    EXPECT_EQ(w.queued(), std::vector<int>({1, 2, 5, 19}));
    EXPECT_EQ(focus(), w.form.salirButton());
}

TEST_F(Form1OperatorTest, LineTargetsQueueOnLeftClickOnlyAndKeepTheFocus)
{
    w.frame({{19, 1}, {22, 3}});
    click(w.form.numberLabel(7), Qt::RightButton); // opens box 8
    ASSERT_EQ(focus(), box(7));
    click(w.form.lineLabel(0), Qt::LeftButton);
    click(w.form.lineOverlay(3), Qt::LeftButton);
    click(w.form.lineLabel(1), Qt::RightButton);
    click(w.form.lineOverlay(2), Qt::MiddleButton);
    EXPECT_EQ(w.queued(), std::vector<int>({0x21, 0x24}));
    EXPECT_EQ(focus(), box(7));
    EXPECT_FALSE(box(7)->isReadOnly());
}

TEST_F(Form1OperatorTest, RightClickOpensTheNameBoxMiddleOnlyMovesTheFocus)
{
    click(w.form.extensionOverlay(5), Qt::RightButton);
    EXPECT_TRUE(box(5)->isVisible());
    EXPECT_FALSE(box(5)->isReadOnly());
    EXPECT_EQ(focus(), box(5));
    click(w.form.numberLabel(5), Qt::MiddleButton);
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_FALSE(box(5)->isVisible()); // empty: hidden again
    click(w.form.numberLabel(18), Qt::RightButton); // "Virtual" has no box
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(w.queued().empty());
    EXPECT_FALSE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, RightClickOnAShownNameSelectsItAndALeftClickInsideEndsTheEdit)
{
    w.configuration.nombres[2] = "Ventas";
    w.names.showNames();
    click(box(2), Qt::RightButton);
    EXPECT_EQ(box(2)->selectedText(), "Ventas");
    EXPECT_FALSE(box(2)->isReadOnly());
    click(box(2), Qt::LeftButton);
    EXPECT_TRUE(box(2)->isReadOnly());
    EXPECT_TRUE(box(2)->isVisible());
    EXPECT_EQ(w.queued(), std::vector<int>({3}));
}

TEST_F(Form1OperatorTest, CommandButtonsQueueByTheirCaption)
{
    w.frame({{2, 3}, {4, 5}, {18, 0xC0}}); // calling slot 3 with slot 5 held
    ASSERT_EQ(w.form.cmdRecupera()->text(), "RECUPERA");
    click(w.form.cmdCorta(), Qt::LeftButton);
    click(w.form.cmdRecupera(), Qt::LeftButton);
    w.frame({{2, 2}, {18, 0xC0}});
    click(w.form.cmdRecupera(), Qt::LeftButton);
    EXPECT_EQ(w.queued(), std::vector<int>({0x80, 0x82, 0x81}));
}

TEST_F(Form1OperatorTest, NameBoxFontFollowsTheLengthBeforeEachKey)
{
    click(w.form.extensionOverlay(0), Qt::RightButton);
    type(0, "Recepcion");
    EXPECT_EQ(box(0)->font().pointSize(), 8); // the 9th character
    type(0, "1");
    EXPECT_EQ(box(0)->font().pointSize(), 7); // the 10th
    type(0, "2");
    EXPECT_EQ(box(0)->text(), "Recepcion1"); // the 11th is refused
    QTest::keyClick(box(0), Qt::Key_Backspace);
    EXPECT_EQ(box(0)->font().pointSize(), 8);
    QTest::keyClick(box(0), Qt::Key_Backspace);
    EXPECT_EQ(box(0)->font().pointSize(), 9);
    QTest::keyClick(box(0), Qt::Key_Left); // no character: size kept
    EXPECT_EQ(box(0)->font().pointSize(), 9);
    EXPECT_EQ(box(0)->text(), "Recepcio");
    EXPECT_EQ(w.configuration.nombres[0], "Recepcio");
    EXPECT_TRUE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, QuoteIsRefusedAndEnterHidesAnEmptiedBox)
{
    w.configuration.nombres[1] = "Caja";
    w.names.showNames();
    click(w.form.numberLabel(1), Qt::RightButton);
    QTest::keyClick(box(1), '"'); // replaces nothing: refused as a whole
    EXPECT_EQ(box(1)->text(), "Caja");
    QTest::keyClick(box(1), Qt::Key_Backspace);
    EXPECT_TRUE(box(1)->text().isEmpty());
    QTest::keyClick(box(1), Qt::Key_Return);
    EXPECT_TRUE(box(1)->isHidden());
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(w.configuration.nombres[1].isEmpty());
    EXPECT_TRUE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, EscapeRestoresTheTextTheBoxWasOpenedWith)
{
    w.configuration.nombres[6] = "Luis";
    w.names.showNames();
    click(w.form.numberLabel(6), Qt::RightButton);
    type(6, "Pedro");
    QTest::keyClick(box(6), Qt::Key_Escape);
    EXPECT_EQ(box(6)->text(), "Luis");
    EXPECT_TRUE(box(6)->isReadOnly());
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, ReadOnlyBoxReachedWithTabTakesOnlyEnter)
{
    w.configuration.nombres[3] = "Almacen";
    w.names.showNames();
    box(3)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focus(), box(3));
    for (Qt::Key key : {Qt::Key_X, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Escape})
        QTest::keyClick(box(3), key);
    EXPECT_EQ(box(3)->text(), "Almacen");
    EXPECT_EQ(box(3)->font().pointSize(), 9);
    QTest::keyClick(box(3), Qt::Key_Enter);
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(box(3)->isVisible());
    EXPECT_FALSE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, DoubleClickActsOnceAndTwoClicksTwice)
{
    // Through the window, as the platform delivers it: press, release, double click, release.
    for (QWidget* target :
        {static_cast<QWidget*>(w.form.extensionOverlay(2)), static_cast<QWidget*>(w.form.lineLabel(1))})
        QTest::mouseDClick(
            w.form.windowHandle(), Qt::LeftButton, Qt::NoModifier, target->mapTo(&w.form, target->rect().center()));
    EXPECT_EQ(w.queued(), std::vector<int>({3, 0x22}));
    click(w.form.numberLabel(4), Qt::LeftButton);
    click(w.form.numberLabel(4), Qt::LeftButton);
    EXPECT_EQ(w.queued(), std::vector<int>({3, 0x22, 5, 5}));
}
