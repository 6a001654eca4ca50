#include "modal.h"
#include "platform/qt/qt_messages.h"
#include "qt_printers.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

QAbstractButton* button(QWidget* box, const QString& text)
{
    for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons())
        if (b->text() == text)
            return b;
    return nullptr;
}

// Shows a box; once it is up, notes its buttons' texts (sorted) in `buttons` and does `act` on it.
MessageAnswer show(MessageStyle style, const QString& text, QStringList& buttons, std::function<void(QWidget*)> act)
{
    whenModal([&buttons, act](QWidget* box) {
        for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons())
            buttons << b->text();
        buttons.sort();
        act(box);
    });
    return QtMessages(nullptr).show(text, QStringLiteral("OPR903"), style);
}

// Enter and N are answered on the desktop; one stray key or the close box never answers.
TEST(QtMessages, TheSaveQuestionAnswersOnlyToItsButtons)
{
    QStringList seen;
    const auto tryEscapeAndCloseThenS = [](QWidget* box) {
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        ASSERT_TRUE(box->isVisible());
        QTest::keyClick(box, Qt::Key_S);
    };
    EXPECT_EQ(show(MessageStyle::Question, "¿Desea salvarlos?", seen, tryEscapeAndCloseThenS), MessageAnswer::Yes);
    EXPECT_EQ(seen, (QStringList{"&No", "&Sí"}));
}

TEST(QtMessages, FaultsShowPlainTextWithAceptarAndAnAyudaThatKeepsTheBoxOpen)
{
    QStringList seen;
    QString shownText;
    const auto helpThenAceptar = [&](QWidget* box) {
        if (static_cast<QMessageBox*>(box)->textFormat() == Qt::PlainText)
            shownText = static_cast<QMessageBox*>(box)->text();
        button(box, "Ayuda")->click();
        whenModal([](QWidget* again) { button(again, "Aceptar")->click(); });
    };
    EXPECT_EQ(show(MessageStyle::CriticalWithHelp, "<b>Error</b> en puerto", seen, helpThenAceptar), MessageAnswer::Ok);
    EXPECT_EQ(seen, (QStringList{"Aceptar", "Ayuda"}));
    EXPECT_EQ(shownText, "<b>Error</b> en puerto");
    seen.clear();
    const auto escape = [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); };
    EXPECT_EQ(show(MessageStyle::Critical, "Unable to add icon into the task tray!", seen, escape), MessageAnswer::Ok);
    EXPECT_EQ(seen, QStringList{"Aceptar"});
}

} // namespace
