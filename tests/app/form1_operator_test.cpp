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

    void SetUp() override { ASSERT_TRUE(w.showActive()); }

    static void click(QWidget* target, Qt::MouseButton button)
    {
        QTest::mouseClick(target, button, Qt::NoModifier, target->rect().center());
    }

    QWidget* focus() const { return QApplication::focusWidget(); }
    NameBox* box(int i) const { return w.form.nameBox(i); }
    int points(int i) const { return box(i)->font().pointSize(); }

    // Start-up with these names loaded.
    void showNames(std::initializer_list<std::pair<int, const char*>> names)
    {
        for (auto [i, name] : names)
            w.configuration.nombres[i] = QString::fromUtf8(name);
        w.names.showNames();
    }
};

} // namespace

TEST_F(Form1OperatorTest, EachTargetPassesOnItsButton)
{
    showNames({{4, "Ana"}});
    w.frame({{19, 1}, {22, 3}});
    click(w.form.numberLabel(0), Qt::LeftButton);
    click(w.form.extensionOverlay(1), Qt::LeftButton);
    click(box(4), Qt::LeftButton);
    click(w.form.extensionOverlay(18), Qt::LeftButton);
    EXPECT_EQ(focus(), w.form.salirButton());
    click(w.form.extensionOverlay(17), Qt::RightButton); // the last slot with a name box
    EXPECT_TRUE(box(17)->isVisible());
    EXPECT_EQ(focus(), box(17));
    // Lines queue on a left click only and leave the focus where it is.
    click(w.form.lineLabel(0), Qt::LeftButton);
    click(w.form.lineOverlay(3), Qt::LeftButton);
    click(w.form.lineLabel(1), Qt::RightButton);
    click(w.form.lineOverlay(2), Qt::MiddleButton);
    EXPECT_EQ(focus(), box(17));
    EXPECT_FALSE(box(17)->isReadOnly());
    click(w.form.numberLabel(17), Qt::MiddleButton); // only ends the edit: the empty box goes
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_FALSE(box(17)->isVisible());
    click(w.form.numberLabel(17), Qt::RightButton);
    click(w.form.numberLabel(18), Qt::RightButton); // "Virtual" has no box: ends the edit
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_FALSE(box(17)->isVisible());
    EXPECT_EQ(w.queued(), std::vector<int>({1, 2, 5, 19, 0x21, 0x24}));
    EXPECT_FALSE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, ALeftClickSelectsAnExtensionThatShowsFreeOrIsHeld)
{
    // Codes for slot 8, one frame after another; an unlisted code keeps the colour and so the answer.
    struct Case {
        std::vector<int> codes;
        bool accepted;
    };
    for (const Case& c : {Case{{0}, true}, {{1}, false}, {{2}, false}, {{3}, false}, {{4}, false}, {{5}, true},
             {{6}, false}, {{0x80}, false}, {{0xC4}, false}, {{1, 9}, false}, {{0, 9}, true}}) {
        w.cola = ColaSalida{};
        for (int code : c.codes)
            w.frame({{7, code}});
        click(w.form.numberLabel(7), Qt::LeftButton);
        EXPECT_EQ(w.queued(), c.accepted ? std::vector<int>{8} : std::vector<int>{}) << c.codes.back();
    }
}

TEST_F(Form1OperatorTest, RightClickSelectsAShownNameTheFirstKeyReplacesItAndALeftClickEndsTheEdit)
{
    showNames({{2, "Secretaria"}});
    click(box(2), Qt::RightButton);
    EXPECT_EQ(box(2)->selectedText(), "Secretaria");
    QTest::keyClick(box(2), 'J');
    EXPECT_EQ(box(2)->text(), "J");
    EXPECT_EQ(points(2), 7); // sized from the ten characters before the key
    click(box(2), Qt::LeftButton);
    EXPECT_TRUE(box(2)->isReadOnly() && box(2)->isVisible());
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
    w.commands.recuperaPressed("Recupera"); // only the exact caption recovers
    EXPECT_EQ(w.queued(), std::vector<int>({0x80, 0x82, 0x81, 0x81}));
}

TEST_F(Form1OperatorTest, NameBoxFontFollowsTheLengthBeforeEachKey)
{
    click(w.form.extensionOverlay(0), Qt::RightButton);
    const int typed[] = {9, 9, 9, 9, 9, 9, 9, 9, 8, 7, 7}; // after the 1st to the 11th key; the 11th is refused
    for (int n = 0; n < 11; ++n) {
        QTest::keyClick(box(0), char('a' + n));
        EXPECT_EQ(points(0), typed[n]) << n + 1;
    }
    EXPECT_EQ(box(0)->text(), "abcdefghij");
    for (const int expected : {8, 9}) {
        QTest::keyClick(box(0), Qt::Key_Backspace);
        EXPECT_EQ(points(0), expected);
    }
    // No character, though X11 gives Delete the text DEL: the size stays (a 9th character would make it 8).
    QTest::keyClick(box(0), Qt::Key_End);
    QTest::sendKeyEvent(QTest::Click, box(0), Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
    EXPECT_EQ(points(0), 9);
    QTest::keyClick(box(0), Qt::Key_Backspace);
    EXPECT_EQ(points(0), 9);
    EXPECT_EQ(w.configuration.nombres[0], "abcdefg");
    EXPECT_TRUE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, EscapeRestoresTheTextThisBoxWasOpenedWithAndEnterHidesAnEmptiedBox)
{
    showNames({{1, "Caja"}, {5, "Ana"}, {6, "Luis"}});
    click(w.form.numberLabel(5), Qt::RightButton);
    QTest::keyClick(box(5), Qt::Key_Return);
    click(w.form.numberLabel(6), Qt::RightButton);
    QTest::keyClicks(box(6), "Pedro");
    QTest::keyClick(box(6), Qt::Key_Escape);
    EXPECT_EQ(box(6)->text(), "Luis");
    EXPECT_TRUE(box(6)->isReadOnly());
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(w.configuration.hayCambios);

    click(w.form.numberLabel(1), Qt::RightButton);
    QTest::keyClick(box(1), '"'); // replaces nothing: refused as a whole
    EXPECT_EQ(box(1)->text(), "Caja");
    QTest::keyClick(box(1), Qt::Key_Backspace);
    QTest::keyClick(box(1), Qt::Key_Return);
    EXPECT_TRUE(box(1)->isHidden());
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(w.configuration.nombres[1].isEmpty());
}

TEST_F(Form1OperatorTest, ALongNameIsShownWholeAndItsReadOnlyBoxReachedWithTabTakesOnlyEnter)
{
    showNames({{3, "Almacén central"}});
    box(3)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focus(), box(3));
    for (Qt::Key key : {Qt::Key_X, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Escape})
        QTest::keyClick(box(3), key);
    EXPECT_EQ(box(3)->text(), QString::fromUtf8("Almacén central"));
    EXPECT_EQ(points(3), 9);
    EXPECT_EQ(focus(), box(3));
    QTest::keyClick(box(3), Qt::Key_Enter);
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(box(3)->isVisible());
    EXPECT_FALSE(w.configuration.hayCambios);
}

TEST_F(Form1OperatorTest, EachClickActsOnceWithTheButtonOfTheLastPress)
{
    // Through the window, as the platform delivers it: press, release, double click, release.
    for (QWidget* target :
        {static_cast<QWidget*>(w.form.extensionOverlay(2)), static_cast<QWidget*>(w.form.lineLabel(1))})
        QTest::mouseDClick(
            w.form.windowHandle(), Qt::LeftButton, Qt::NoModifier, target->mapTo(&w.form, target->rect().center()));
    EXPECT_EQ(w.queued(), std::vector<int>({3, 0x22}));
    click(w.form.numberLabel(4), Qt::LeftButton);
    click(w.form.numberLabel(4), Qt::LeftButton);
    w.commands.lineClick(2); // a click without a new press keeps the last button
    click(w.form.lineLabel(0), Qt::RightButton);
    w.commands.lineClick(3);
    EXPECT_EQ(w.queued(), std::vector<int>({3, 0x22, 5, 5, 0x23}));
    click(w.form.numberLabel(0), Qt::RightButton);
    click(w.form.numberLabel(0), Qt::BackButton); // a button of no meaning only ends the edit
    EXPECT_EQ(focus(), w.form.salirButton());
    EXPECT_TRUE(box(0)->isHidden());
    EXPECT_EQ(w.queued().size(), 5u);
}
