#include "app/click_label.h"
#include "app/indicator_widget.h"
#include "app/name_box.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

struct ConsoleWindowTest : ShownWindowTest {
    static void click(QWidget* target, Qt::MouseButton button)
    {
        QTest::mouseClick(target, button, Qt::NoModifier, target->rect().center());
    }

    NameBox* box(int i) const { return w.form.nameBox(i); }
    int points(int i) const { return box(i)->font().pointSize(); }

    // Start-up with these names loaded.
    void showNames(std::initializer_list<std::pair<int, const char*>> names)
    {
        for (auto [i, name] : names)
            w.configuration.names[i] = QString::fromUtf8(name);
        w.session.nameBoxes().showNames();
    }
};

} // namespace

// Each number is centred below its indicator, the virtual slot's wider word too.
TEST_F(ConsoleWindowTest, EachSlotsCaptionIsCentredBelowItsIndicator)
{
    for (int i = 0; i < 19; ++i) {
        const QRect indicator = w.form.extensionIndicator(i)->geometry();
        const QRect caption = w.form.numberLabel(i)->geometry();
        EXPECT_GT(caption.top(), indicator.bottom()) << i;
        EXPECT_LE(std::abs(caption.center().x() - indicator.center().x()), 2) << i;
    }
}

// A slot takes a click on its caption, overlay or name box, a line only a left
// one; a double click acts once, and a click without a new press keeps the
// button of the last.
TEST_F(ConsoleWindowTest, EachClickActsOnceOnItsTargetWithTheButtonOfTheLastPress)
{
    showNames({{4, "Ana"}});
    w.frame({{19, 1}, {22, 3}});
    const std::pair<QWidget*, Qt::MouseButton> clicks[]
        = {{w.form.numberLabel(0), Qt::LeftButton}, {w.form.extensionOverlay(1), Qt::LeftButton},
            {box(4), Qt::LeftButton}, {w.form.extensionOverlay(18), Qt::LeftButton},
            {w.form.lineLabel(0), Qt::LeftButton}, {w.form.lineOverlay(3), Qt::LeftButton},
            {w.form.lineLabel(1), Qt::RightButton}, {w.form.lineOverlay(2), Qt::MiddleButton}};
    for (auto [target, button] : clicks)
        click(target, button);
    // Through the window, as the platform delivers it: press, release, double click, release.
    const QWidget* twice = w.form.extensionOverlay(2);
    QTest::mouseDClick(
        w.form.windowHandle(), Qt::LeftButton, Qt::NoModifier, twice->mapTo(&w.form, twice->rect().center()));
    w.session.commands().lineClick(2);
    click(w.form.lineLabel(0), Qt::RightButton);
    w.session.commands().lineClick(3);
    EXPECT_EQ(w.queued(), std::vector<int>({1, 2, 5, 19, 0x21, 0x24, 3, 0x23}));
    EXPECT_EQ(focus(), w.form.exitButton());
}

// The last slot with a name box is opened; a line's click leaves the edit
// alone, and each of these ends it, the emptied box going.
TEST_F(ConsoleWindowTest, TheRightButtonOpensANameBoxAndAnyOtherButtonOnASlotEndsTheEdit)
{
    const std::pair<QWidget*, Qt::MouseButton> endings[]
        = {{w.form.numberLabel(17), Qt::MiddleButton}, {w.form.numberLabel(18), Qt::RightButton},
            {w.form.extensionOverlay(17), Qt::BackButton}, {box(17), Qt::LeftButton}};
    for (auto [target, button] : endings) {
        click(w.form.extensionOverlay(17), Qt::RightButton);
        EXPECT_EQ(focus(), box(17));
        click(w.form.lineLabel(1), Qt::RightButton);
        click(w.form.lineOverlay(2), Qt::MiddleButton);
        EXPECT_FALSE(box(17)->isReadOnly());
        click(target, button);
        EXPECT_EQ(focus(), w.form.exitButton()) << button;
        EXPECT_TRUE(box(17)->isHidden()) << button;
    }
    EXPECT_EQ(w.queued(), std::vector<int>{18}); // the left click also selects the slot
    EXPECT_FALSE(w.configuration.changed);
}

// Console engaged, slot 3 talking to it and line 2 held: transfer offered.
TEST_F(ConsoleWindowTest, TheCommandButtonsFollowTheFrameAndQueueByTheirCaption)
{
    w.frame({{2, 2}, {18, 0xC0}, {20, 4}});
    EXPECT_EQ(w.form.cutButton()->text(), "TRANSFIERE");
    EXPECT_FALSE(w.form.retrieveButton()->isVisible());
    click(w.form.cutButton(), Qt::LeftButton);
    w.frame({{2, 3}, {4, 5}, {18, 0xC0}}); // calling slot 3 with slot 5 held
    EXPECT_EQ(w.form.retrieveButton()->text(), "RECUPERA");
    click(w.form.retrieveButton(), Qt::LeftButton);
    w.frame({{2, 2}, {18, 0xC0}});
    EXPECT_EQ(w.form.cutButton()->text(), "CORTA");
    EXPECT_EQ(w.form.retrieveButton()->text(), "RETIENE");
    click(w.form.retrieveButton(), Qt::LeftButton);
    EXPECT_EQ(w.queued(), std::vector<int>({0x80, 0x82, 0x81}));
}

// Digits are the name's, not a number to call.
TEST_F(ConsoleWindowTest, NameBoxFontFollowsTheLengthBeforeEachKey)
{
    click(w.form.extensionOverlay(0), Qt::RightButton);
    const int typed[] = {9, 9, 9, 9, 9, 9, 9, 9, 8, 7, 7}; // after the 1st to the 11th key; the 11th is refused
    for (int n = 0; n < 11; ++n) {
        QTest::keyClick(box(0), "abcd1234efg"[n]);
        EXPECT_EQ(points(0), typed[n]) << n + 1;
    }
    EXPECT_EQ(box(0)->text(), "abcd1234ef");
    for (const int expected : {8, 9}) {
        QTest::keyClick(box(0), Qt::Key_Backspace);
        EXPECT_EQ(points(0), expected);
    }
    EXPECT_EQ(w.configuration.names[0], "abcd1234");
    EXPECT_TRUE(w.configuration.changed);
}

// A box opens with its name selected; Escape restores the text it was opened
// with and Enter hides an emptied box; a box no longer being edited takes only Enter.
TEST_F(ConsoleWindowTest, EscapeRestoresEnterHidesAnEmptiedBoxAndAReadOnlyBoxTakesOnlyEnter)
{
    showNames({{1, "Caja"}, {6, "Luis"}});
    click(w.form.numberLabel(6), Qt::RightButton);
    EXPECT_EQ(box(6)->selectedText(), "Luis");
    QTest::keyClicks(box(6), "Pedro");
    QTest::keyClick(box(6), Qt::Key_Escape);
    EXPECT_EQ(w.configuration.names[6], "Luis");
    EXPECT_EQ(focus(), w.form.exitButton());

    click(w.form.numberLabel(1), Qt::RightButton);
    QTest::keyClick(box(1), Qt::Key_Backspace);
    QTest::keyClick(box(1), Qt::Key_Return);
    EXPECT_TRUE(box(1)->isHidden());
    EXPECT_TRUE(w.configuration.names[1].isEmpty());

    box(6)->setFocus(Qt::OtherFocusReason);
    for (Qt::Key key : {Qt::Key_X, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Escape})
        QTest::keyClick(box(6), key);
    EXPECT_EQ(box(6)->text(), "Luis");
    EXPECT_EQ(focus(), box(6));
    QTest::keyClick(box(6), Qt::Key_Enter);
    EXPECT_EQ(focus(), w.form.exitButton());
}
