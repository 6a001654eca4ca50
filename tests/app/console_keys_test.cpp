#include "app/announcer.h"
#include "app/click_label.h"
#include "app/panel_focus.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

constexpr int L1 = wire::linePosition(1);

// Keys typed where the focus is, as the operator types them.
struct ConsoleKeysTest : ShownWindowTest {
    static void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focus(), Qt::Key(k), modifiers);
    }
    static void type(const char* digits)
    {
        for (const char* d = digits; *d; ++d)
            key(Qt::Key_0 + (*d - '0'));
    }
    void clear()
    {
        w.forgetCommands();
        w.messages.beeps = 0;
        QCoreApplication::processEvents(); // what was told before goes out
        w.form.announcer()->setAccessibleName(QString());
    }
    // What a screen reader was told since the last clear, once the turn of the event loop is over.
    QString said() const
    {
        QCoreApplication::processEvents();
        return w.form.announcer()->accessibleName();
    }
    QString typed() const { return w.form.typedDigits()->isVisible() ? w.form.typedDigits()->text() : QString(); }
};

} // namespace

// Frames one after another (line, code) and the command each Enter then queues (0: none).
TEST_F(ConsoleKeysTest, EnterTakesTheLineWhoseCallHasWaitedLongest)
{
    struct Step {
        std::vector<std::pair<int, int>> lines;
        int answered;
    };
    const Step steps[] = {
        {{{3, 6}}, 0x23}, {{{3, 7}, {1, 6}}, 0x23}, // the older first; 6 to 7 is still the same call
        {{{1, 6}, {6, 6}, {2, 6}}, 0x21}, {{{6, 6}, {2, 6}}, 0x22}, // started together: the lower line first
        {{{1, 3}}, 0}, // nothing waits; an extension calling (code 4) is no line
    };
    for (const Step& s : steps) {
        std::vector<std::pair<int, int>> codes{{4, 4}}; // slot 5 calling, always
        for (auto [line, code] : s.lines)
            codes.emplace_back(L1 + line - 1, code);
        w.pass(200);
        w.frame(codes);
        clear();
        key(Qt::Key_Return);
        EXPECT_EQ(w.queued(), s.answered ? std::vector<int>{s.answered} : std::vector<int>{}) << s.answered;
    }
    EXPECT_EQ(w.messages.beeps, 0);
}

// Extension numbers 201 (slot 1, free), 23 (slot 12, busy), 24 (slot 13, held
// by the console).
TEST_F(ConsoleKeysTest, ATypedNumberCallsItsExtensionUnderTheClickRulesAndSaysWhyWhenRefused)
{
    w.frame({{11, 1}, {12, 5}});
    struct Case {
        const char* digits;
        std::vector<int> queued;
        QString said;
    };
    QWidget* const focused = focus(); // a call from the keys leaves the focus there
    for (const Case& c : {Case{"201", {1}, ""}, {"24", {13}, ""},
             {"23", {}, "No se puede llamar al interno 23: " + w.session.panel().numberLabel(11).tooltip},
             {"2011", {}, "No existe el interno 2011"}}) {
        clear();
        type(c.digits);
        QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(w.queued(), c.queued) << c.digits;
        EXPECT_EQ(said(), c.said) << c.digits;
        EXPECT_EQ(w.messages.beeps, c.said.isEmpty() ? 0 : 1) << c.digits;
        EXPECT_EQ(focus(), focused) << c.digits;
        EXPECT_EQ(typed(), "") << c.digits;
    }
}

TEST_F(ConsoleKeysTest, TypedDigitsGoAfterFiveSecondsWithoutAKeyOrWithEscOrBackspace)
{
    type("2");
    w.pass(4999);
    type("3");
    w.pass(4999);
    key(Qt::Key_F8); // any key holds them; CORTA is not shown, so it does nothing else
    w.pass(4999);
    EXPECT_EQ(typed(), "23");
    w.pass(1);
    EXPECT_EQ(typed(), "");
    type("4567");
    key(Qt::Key_8); // a fifth digit is refused
    EXPECT_EQ(typed(), "4567");
    EXPECT_EQ(w.messages.beeps, 1);
    key(Qt::Key_Backspace);
    EXPECT_EQ(typed(), "456");
    key(Qt::Key_Escape);
    EXPECT_EQ(typed(), "");
    EXPECT_FALSE(w.session.digitTimer().enabled() && w.session.digitTimer().interval() > 0);
}

// F7 and F8 press the command buttons only while shown (as on the desktop).
TEST_F(ConsoleKeysTest, FunctionKeysTakeLines)
{
    for (int k : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8})
        key(k);
    EXPECT_EQ(w.queued(), std::vector<int>({0x21, 0x22, 0x23, 0x24, 0x25, 0x26}));
    EXPECT_EQ(w.messages.beeps, 0);
}

TEST_F(ConsoleKeysTest, KeysAreLeftAloneWhileTheDirectoryIsOpen)
{
    w.directory.open();
    w.form.exitButton()->setFocus();
    key(Qt::Key_F1);
    EXPECT_EQ(w.queued(), std::vector<int>{});
}

// The panel is one Tab stop before the command buttons, AGENDA and Salir; its
// ring shows while it has the focus, but not when only the window's activation gave it.
// Backtab comes back to the element the focus left.
TEST_F(ConsoleKeysTest, TabReachesThePanelWhoseArrowsWalkItInPanelOrderWithARing)
{
    w.frame({{18, 0xC0}}); // CORTA alone
    EXPECT_FALSE(w.form.panelFocus().ringShown());
    w.form.exitButton()->setFocus();
    const std::pair<int, QWidget*> steps[] = {{Qt::Key_Tab, w.form.lineLabel(0)}, {Qt::Key_Left, w.form.lineLabel(0)},
        {Qt::Key_Down, w.form.lineLabel(1)}, {Qt::Key_End, w.form.numberLabel(18)},
        {Qt::Key_Right, w.form.numberLabel(18)}, {Qt::Key_Up, w.form.numberLabel(17)},
        {Qt::Key_Tab, w.form.cutButton()}, {Qt::Key_Tab, w.form.directoryButton()}, {Qt::Key_Tab, w.form.exitButton()},
        {Qt::Key_Backtab, w.form.directoryButton()}, {Qt::Key_Backtab, w.form.cutButton()},
        {Qt::Key_Backtab, w.form.numberLabel(17)}, {Qt::Key_Home, w.form.lineLabel(0)}};
    for (auto [k, expected] : steps) {
        key(k);
        EXPECT_EQ(focus(), expected) << k;
        EXPECT_EQ(w.form.panelFocus().ringShown(), !qobject_cast<QPushButton*>(expected)) << k;
    }
}
