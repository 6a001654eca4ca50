#include "platform/qt/qt_messages.h"
#include "qt_printers.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

// A stray Escape or the close box would throw the operator's changes away: only a button answers.
TEST(QtMessages, TheSaveQuestionAnswersOnlyToItsButtons)
{
    bool stayedUp = false;
    QTimer::singleShot(0, [&stayedUp] {
        QWidget* box = QApplication::activeModalWidget();
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        stayedUp = box->isVisible();
        QTest::keyClick(box, Qt::Key_S);
    });
    EXPECT_EQ(QtMessages(nullptr).show("¿Desea salvarlos?", "OPR903", MessageStyle::Question), MessageAnswer::Yes);
    EXPECT_TRUE(stayedUp);
}

} // namespace
