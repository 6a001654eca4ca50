#include "app/call_list_window.h"

#include "qt_printers.h"
#include "wired_window.h"

#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

constexpr int L1 = 19, L2 = 20, L3 = 21, Slot4 = 3;

// The console window and the list over its journal.
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
        for (int c = 0; c < CallListWindow::Columns; ++c)
            texts << list.table()->item(r, c)->text();
        return texts;
    }

    WiredWindow w;
    CallListWindow& list = w.screen.callList();
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
    list.open();
    ASSERT_EQ(list.table()->rowCount(), 4);
    EXPECT_EQ(row(0), QStringList({"09:30:10", "L3", "devuelta", "0:10", "esperando"}));
    EXPECT_EQ(row(1), QStringList({"09:30:12", "L2", "entrante", "0:08", "esperando"}));
    EXPECT_EQ(row(2), QStringList({"09:30:05", "14 Caja", "interno", "0:03", "atendida"}));
    EXPECT_EQ(row(3), QStringList({"09:30:00", "L1", "entrante", "0:03", "PERDIDA"}));

    frameAfter(50, {{L3, 7}, {L2, 2}}); // changes while shown reach the list
    EXPECT_TRUE(QTest::qWaitFor([&] { return row(1).last() == "atendida"; }, 1000));
    EXPECT_EQ(row(0), QStringList({"09:30:10", "L3", "devuelta", "1:00", "esperando"}));
    EXPECT_EQ(list.table()->rowCount(), 4);
}

} // namespace
