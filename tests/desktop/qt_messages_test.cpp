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

TEST(QtMessages, TheSaveQuestionAnswersOnlyToItsButtons)
{
    struct Case {
        const char* name;
        std::function<void(QWidget*)> keys;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {"Enter answers Yes", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, MessageAnswer::Yes},
        {"N answers No", [](QWidget* w) { QTest::keyClick(w, Qt::Key_N); }, MessageAnswer::No},
        {"S answers Yes", [](QWidget* w) { QTest::keyClick(w, Qt::Key_S); }, MessageAnswer::Yes},
        {"Escape and the close box do nothing",
            [](QWidget* w) {
                QTest::keyClick(w, Qt::Key_Escape);
                w->close();
                ASSERT_TRUE(w->isVisible());
                QTest::keyClick(w, Qt::Key_N);
            },
            MessageAnswer::No},
    };
    for (const Case& c : cases) {
        QStringList seen;
        EXPECT_EQ(
            show(MessageStyle::Question, "Ha hecho cambios en la configuración\r\n¿Desea salvarlos?", seen, c.keys),
            c.answer)
            << c.name;
        EXPECT_EQ(seen, (QStringList{"&No", "&Sí"})) << c.name;
    }
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
