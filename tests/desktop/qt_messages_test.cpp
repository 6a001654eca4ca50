#include "modal.h"
#include "platform/qt/qt_messages.h"
#include "qt_printers.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

QStringList buttonTexts(QWidget* box)
{
    QStringList texts;
    for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

QAbstractButton* button(QWidget* box, const QString& text)
{
    for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons())
        if (b->text() == text)
            return b;
    return nullptr;
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
        QtMessages messages(nullptr);
        QStringList seen;
        whenModal([&](QWidget* box) {
            seen = buttonTexts(box);
            c.keys(box);
        });
        EXPECT_EQ(messages.show("Ha hecho cambios en la configuración\r\n¿Desea salvarlos?", "Cambios de configuración",
                      MessageStyle::Question),
            c.answer)
            << c.name;
        EXPECT_EQ(seen, (QStringList{"&No", "&Sí"})) << c.name;
    }
}

TEST(QtMessages, FaultsShowPlainTextWithAceptarAndAnAyudaThatKeepsTheBoxOpen)
{
    QtMessages messages(nullptr);
    QStringList seen;
    QString shownText;
    whenModal([&](QWidget* box) {
        seen = buttonTexts(box);
        auto* mb = static_cast<QMessageBox*>(box);
        EXPECT_EQ(mb->textFormat(), Qt::PlainText);
        shownText = mb->text();
        button(box, "Ayuda")->click();
        whenModal([](QWidget* again) { button(again, "Aceptar")->click(); });
    });
    EXPECT_EQ(messages.show("<b>Error</b> en puerto", "Error", MessageStyle::CriticalWithHelp), MessageAnswer::Ok);
    EXPECT_EQ(seen, (QStringList{"Aceptar", "Ayuda"}));
    EXPECT_EQ(shownText, "<b>Error</b> en puerto");
}

TEST(QtMessages, ACriticalBoxHasOnlyAceptar)
{
    QtMessages messages(nullptr);
    QStringList seen;
    whenModal([&](QWidget* box) {
        seen = buttonTexts(box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(
        messages.show("Unable to add icon into the task tray!", "Error", MessageStyle::Critical), MessageAnswer::Ok);
    EXPECT_EQ(seen, QStringList{"Aceptar"});
}

} // namespace
