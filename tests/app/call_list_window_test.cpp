#include "app/call_list_window.h"

#include "app/call_list_model.h"
#include "console/journal_csv.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

constexpr int L1 = 19, L2 = 20, L3 = 21, Slot4 = 3;

// The console window and the list over its journal, today 07/12/2026.
struct CallListWindowTest : testing::Test {
    CallListWindowTest() { w.configuration.names[Slot4] = QStringLiteral("Caja"); }
    void frameAfter(int seconds, std::initializer_list<std::pair<int, int>> codes)
    {
        w.pass(seconds * 1000);
        w.frame(codes);
    }
    QStringList row(int r) const
    {
        QStringList texts;
        for (int c = 0; c < CallListModel::Columns; ++c)
            texts << window.model().index(r, c).data().toString();
        return texts;
    }
    QString figures() const { return window.findChild<QLabel*>("callListFigures")->text(); }
    void openShown()
    {
        window.open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // The text of the current row's origin, once the list has followed the journal.
    QString currentOrigin() const
    {
        const QModelIndex current = window.table()->currentIndex();
        return window.model().index(current.row(), CallListModel::Origen).data().toString();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.table(), k, modifiers);
    }

    WiredWindow w;
    CallListWindow& window = w.screen.callList();
};

TEST_F(CallListWindowTest, ListsTheWaitingCallsLongestFirstThenTodaysLatestFirstWithTheMissedMarked)
{
    frameAfter(0, {{L1, 6}});
    frameAfter(3, {});
    frameAfter(2, {{Slot4, 4}});
    frameAfter(3, {{Slot4, 2}});
    frameAfter(2, {{L3, 7}});
    frameAfter(2, {{L3, 7}, {L2, 6}});
    w.pass(8500);
    window.open();
    EXPECT_EQ(window.windowTitle(), "Llamadas del 07/12/2026");
    EXPECT_EQ(figures(), "07/12/2026: 2 llamadas, 1 atendida, 1 perdida (50 %), espera media 0:03, espera máxima 0:03");
    ASSERT_EQ(window.model().rowCount(), 4);
    EXPECT_EQ(row(0), QStringList({"09:30:10", "L3", "devuelta", "0:10", "esperando"}));
    EXPECT_EQ(row(1), QStringList({"09:30:12", "L2", "entrante", "0:08", "esperando"}));
    EXPECT_EQ(row(2), QStringList({"09:30:05", "14 Caja", "interno", "0:03", "atendida"}));
    EXPECT_EQ(row(3), QStringList({"09:30:00", "L1", "entrante", "0:03", "PERDIDA"}));

    frameAfter(50, {{L3, 7}, {L2, 2}}); // changes while shown reach the list and the figures
    EXPECT_TRUE(QTest::qWaitFor([&] { return row(1).last() == "atendida"; }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return row(0)[CallListModel::Espera] == "1:00"; }, 1500));
    EXPECT_EQ(window.model().rowCount(), 4);
    EXPECT_TRUE(figures().startsWith("07/12/2026: 3 llamadas, 2 atendidas")) << figures().toStdString();
}

// Enter acts on the row the operator chose, whatever comes meanwhile, and the keyboard stays in the list.
TEST_F(CallListWindowTest, EnterAnswersAWaitingCallCallsBackAMissedExtensionAndLeavesAMissedLine)
{
    frameAfter(0, {{L1, 6}});
    frameAfter(2, {{Slot4, 4}});
    frameAfter(2, {{L2, 6}});
    openShown(); // L2 waiting, then 14 and L1 missed
    window.table()->setCurrentIndex(window.model().index(1, 0));
    frameAfter(1, {{L2, 6}, {L3, 6}}); // a new waiting call comes in above
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.model().rowCount() == 4; }, 1000));
    EXPECT_EQ(currentOrigin(), "14 Caja");
    key(Qt::Key_Return);
    EXPECT_EQ(w.queued(), std::vector<int>{Slot4 + 1});
    EXPECT_EQ(QApplication::focusWidget(), window.table());

    w.pass(1000); // the exchange's next poll takes it
    ASSERT_TRUE(QTest::qWaitFor([&] { return row(2).last().startsWith("perdida, rellamada 09:30"); }, 1000));
    EXPECT_EQ(w.session.journal().buttonCaption(), "LLAMADAS (1)");
    w.forgetCommands();

    window.table()->setCurrentIndex(window.model().index(0, 0));
    frameAfter(1, {{L3, 6}}); // L2 stops waiting; L3 moves up past it
    ASSERT_TRUE(QTest::qWaitFor([&] { return row(1).last() == "PERDIDA"; }, 1000));
    EXPECT_EQ(currentOrigin(), "L2");
    key(Qt::Key_Return); // a missed line: no caller to call back
    window.table()->setCurrentIndex(window.model().index(0, 0));
    key(Qt::Key_Enter); // L3, waiting
    const QRect extension = window.table()->visualRect(window.model().index(2, CallListModel::Origen));
    QTest::mouseClick(window.table()->viewport(), Qt::LeftButton, {}, extension.center());
    QTest::mouseDClick(window.table()->viewport(), Qt::LeftButton, {}, extension.center());
    EXPECT_EQ(w.queued(), (std::vector<int>{0x23, Slot4 + 1}));
    EXPECT_EQ(w.messages.beeps, 0);
}

TEST_F(CallListWindowTest, AltLeftAndRightGoThroughTheDaysThatHaveAFileWithTheirDamagedRowsCounted)
{
    const auto file = [](const QDate& day, int calls, const QByteArray& damaged) {
        QByteArray bytes = journal_csv::header() + damaged;
        for (int call = 0; call < calls; ++call) {
            const QDateTime ended(day, QTime(8 + call, 0));
            bytes += journal_csv::row({ended.addSecs(-30).toMSecsSinceEpoch(), QStringLiteral("L%1").arg(call + 1), {},
                CallKind::Incoming, 30, CallOutcome::Answered, ended.toMSecsSinceEpoch()});
        }
        return bytes;
    };
    const QDate today(2026, 12, 7);
    w.journalStore.files[today.addDays(-1)] = file(today.addDays(-1), 2, "08:00,L1\r\n");
    w.journalStore.files[today.addDays(-3)] = file(today.addDays(-3), 3, "1\r\n2\r\n");
    frameAfter(0, {{L1, 6}});
    openShown();
    const auto shown = [&] {
        return QStringList{window.windowTitle(), figures().section(',', 0, 0),
            window.findChild<QLabel*>("callListNotes")->isVisible() ? window.findChild<QLabel*>("callListNotes")->text()
                                                                    : QString(),
            QString::number(window.model().rowCount()), row(0)[CallListModel::Origen]};
    };
    EXPECT_EQ(
        shown(), QStringList({"Llamadas del 07/12/2026", "07/12/2026: ninguna llamada terminada", "", "1", "L1"}));
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(
        shown(), QStringList({"Llamadas del 06/12/2026", "06/12/2026: 2 llamadas", "1 fila ilegible", "2", "L2"}));
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(
        shown(), QStringList({"Llamadas del 04/12/2026", "04/12/2026: 3 llamadas", "2 filas ilegibles", "3", "L3"}));
    EXPECT_FALSE(window.findChild<QPushButton*>("callListEarlier")->isEnabled());
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window.windowTitle(), "Llamadas del 04/12/2026");
    key(Qt::Key_Right, Qt::AltModifier);
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(shown()[0], "Llamadas del 07/12/2026");
    EXPECT_EQ(row(0).last(), "esperando") << "today keeps the waiting calls on top";
}

} // namespace
