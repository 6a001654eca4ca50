#include "app/call_announcer.h"
#include "app/click_label.h"
#include "app/name_box.h"
#include "app/panel_focus.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

constexpr int L1 = 19; // Estados index of line 1

// The window shown and active, keys typed where the focus is, as the operator types them.
struct ConsoleKeysTest : testing::Test {
    WiredWindow w;

    void SetUp() override { ASSERT_TRUE(w.showActive()); }

    static QWidget* focus() { return QApplication::focusWidget(); }
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
        w.cola = ColaSalida{};
        w.messages.beeps = 0;
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
        {{{3, 6}}, 0x23}, {{{3, 6}, {1, 6}}, 0x23}, // two waiting: the older first
        {{{3, 7}, {1, 6}, {6, 7}}, 0x23}, // 6 to 7 is still the same call
        {{{3, 2}, {1, 6}, {6, 7}}, 0x21}, {{{6, 7}, {5, 6}, {2, 6}}, 0x26}, // three waiting
        {{{5, 6}, {2, 6}}, 0x22}, // started together: the lower line first
        {{{5, 6}, {2, 0}, {1, 7}}, 0x25}, {{{1, 7}}, 0x21},
        {{{1, 3}}, 0}, // nothing waits; an extension calling (code 4) is no line
    };
    for (const Step& s : steps) {
        std::vector<std::pair<int, int>> codes{{4, 4}}; // slot 5 calling, always
        for (auto [line, code] : s.lines)
            codes.emplace_back(L1 + line - 1, code);
        w.clock.advanceMs(200); // the exchange's polling pace
        w.frame(codes);
        clear();
        key(Qt::Key_Return);
        EXPECT_EQ(w.queued(), s.answered ? std::vector<int>{s.answered} : std::vector<int>{}) << s.answered;
    }
    EXPECT_EQ(w.messages.beeps, 0);
}

// Extension numbers 201 (slot 1, free), 23 (slot 12, busy), 24 (slot 13, held
// by the console); slot 2 unnumbered.
TEST_F(ConsoleKeysTest, ATypedNumberCallsItsExtensionUnderTheClickRulesAndBeepsWhenRefused)
{
    w.state.setNumeroInterno(1, "201");
    w.state.setNumeroInterno(2, "---");
    w.state.setNumeroInterno(12, "23");
    w.state.setNumeroInterno(13, "24");
    w.frame({{11, 1}, {12, 5}});
    struct Case {
        const char* digits;
        std::vector<int> queued;
        int beeps;
    };
    for (const Case& c : {Case{"201", {1}, 0}, {"24", {13}, 0}, {"23", {}, 1}, {"2011", {}, 1}, {"20", {}, 1}}) {
        clear();
        w.form.salirButton()->setFocus(); // where a click on an extension leaves it
        type(c.digits);
        EXPECT_EQ(typed(), c.digits);
        QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(w.queued(), c.queued) << c.digits;
        EXPECT_EQ(w.messages.beeps, c.beeps) << c.digits;
        EXPECT_EQ(typed(), "") << c.digits;
        EXPECT_EQ(focus(), w.form.salirButton()) << c.digits;
    }
}

TEST_F(ConsoleKeysTest, TypedDigitsGoAfterFiveSecondsWithoutAKeyOrWithEscOrBackspace)
{
    type("2");
    w.clock.advanceMs(4999);
    type("3");
    w.clock.advanceMs(4999);
    key(Qt::Key_F8); // any key holds them; CORTA is not shown, so it does nothing else
    w.clock.advanceMs(4999);
    EXPECT_EQ(typed(), "23");
    w.clock.advanceMs(1);
    EXPECT_EQ(typed(), "");
    type("4567");
    key(Qt::Key_8); // a fifth digit is refused
    EXPECT_EQ(typed(), "4567");
    EXPECT_EQ(w.messages.beeps, 1);
    key(Qt::Key_Escape);
    EXPECT_EQ(typed(), "");
    type("45");
    key(Qt::Key_Backspace);
    EXPECT_EQ(typed(), "4");
    key(Qt::Key_Backspace);
    EXPECT_EQ(typed(), "");
    EXPECT_FALSE(w.form.typedDigits()->isVisible());
    EXPECT_FALSE(w.digitTimer->running());
    EXPECT_TRUE(w.queued().empty());
}

TEST_F(ConsoleKeysTest, FunctionKeysTakeLinesAndPressTheCommandButtonsOnlyWhileShown)
{
    QSignalSpy llamadas(w.form.callListButton(), &QPushButton::clicked);
    for (int k = Qt::Key_F1; k <= Qt::Key_F10; ++k)
        key(k);
    EXPECT_EQ(w.queued(), std::vector<int>({0x21, 0x22, 0x23, 0x24, 0x25, 0x26}));
    EXPECT_EQ(llamadas.count(), 1);
    EXPECT_FALSE(w.directoryFrame->isVisible());
    clear();
    w.frame({{2, 3}, {4, 5}, {18, 0xC0}}); // TRANSFIERE and RECUPERA
    key(Qt::Key_F7);
    key(Qt::Key_F8);
    w.frame({{2, 2}, {18, 0xC0}}); // CORTA and RETIENE
    key(Qt::Key_F7);
    w.panel.setAgendaEnabled(true);
    key(Qt::Key_F9);
    EXPECT_EQ(w.queued(), std::vector<int>({0x82, 0x80, 0x81}));
    EXPECT_TRUE(w.directoryFrame->isVisible());
    EXPECT_EQ(focus(), w.directoryFrame->txtGrupoTroncal(0));
    EXPECT_EQ(w.messages.beeps, 0);
}

TEST_F(ConsoleKeysTest, AKeyWhoseCommandFindsTheQueueFullBeepsAndQueuesNothing)
{
    w.state.setNumeroInterno(5, "15");
    for (int i = 0; i < ColaSalida::Places; ++i)
        key(Qt::Key_F2);
    key(Qt::Key_F1);
    type("15");
    key(Qt::Key_Return);
    EXPECT_EQ(w.queued(), std::vector<int>(ColaSalida::Places, 0x22));
    EXPECT_EQ(w.messages.beeps, 2);
}

TEST_F(ConsoleKeysTest, KeysAreLeftAloneWhileANameIsEditedOrTheDirectoryIsOpen)
{
    w.frame({{L1, 6}});
    QTest::mouseClick(w.form.numberLabel(3), Qt::RightButton);
    type("12");
    key(Qt::Key_F1);
    key(Qt::Key_Return); // ends the edit, as a name box's Enter does
    EXPECT_EQ(w.form.nameBox(3)->text(), "12");
    EXPECT_EQ(typed(), "");
    w.directory.open();
    w.form.salirButton()->setFocus();
    key(Qt::Key_F1);
    key(Qt::Key_Return);
    EXPECT_EQ(w.queued(), std::vector<int>{});
}

// The panel is one Tab stop before the command buttons, AGENDA and Salir.
TEST_F(ConsoleKeysTest, TabReachesThePanelWhoseArrowsWalkItInPanelOrderWithARing)
{
    PanelFocus& panel = w.form.panelFocus();
    w.panel.setAgendaEnabled(true);
    w.frame({{18, 0xC0}}); // CORTA alone
    EXPECT_FALSE(panel.ringShown()); // the window's activation alone shows no ring
    w.form.salirButton()->setFocus();
    key(Qt::Key_Tab);
    EXPECT_EQ(focus(), w.form.lineLabel(0));
    EXPECT_TRUE(panel.ringShown());
    for (int k = 1; k < 6; ++k)
        key(Qt::Key_Right);
    EXPECT_EQ(focus(), w.form.lineLabel(5));
    key(Qt::Key_Down);
    EXPECT_EQ(focus(), w.form.numberLabel(0));
    key(Qt::Key_End);
    key(Qt::Key_Right);
    EXPECT_EQ(focus(), w.form.numberLabel(18));
    key(Qt::Key_Up);
    for (QPushButton* next : {w.form.cmdCorta(), w.form.agendaButton(), w.form.salirButton()}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(focus(), next);
    }
    EXPECT_FALSE(panel.ringShown());
    for (int n = 0; n < 3; ++n)
        key(Qt::Key_Backtab);
    EXPECT_EQ(focus(), w.form.numberLabel(17)); // back where it was left
    key(Qt::Key_Home);
    key(Qt::Key_Left);
    EXPECT_EQ(focus(), w.form.lineLabel(0));
}
