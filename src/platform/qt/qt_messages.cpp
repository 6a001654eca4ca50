#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace
{

// A Yes/No question that only a button answers: Escape and the window's
// close box do nothing, so one stray key never throws changes away.
class QuestionBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Escape)
            return;
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

MessageAnswer ask(const QString& text, const QString& title, QWidget* parent)
{
    QuestionBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void report(const QString& text, const QString& title, bool withHelp, QWidget* parent)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    // There is no help to show: "Ayuda" leaves the box open.
    QPushButton* help = withHelp ? box.addButton(QStringLiteral("Ayuda"), QMessageBox::HelpRole) : nullptr;
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    do
        box.exec();
    while (help && box.clickedButton() == help);
}

} // namespace

void QtMessages::beep()
{
    QApplication::beep();
}

MessageAnswer QtMessages::show(const QString& text, const QString& title, MessageStyle style)
{
    if (style == MessageStyle::Question)
        return ask(text, title, parent_);
    report(text, title, style == MessageStyle::CriticalWithHelp, parent_);
    return MessageAnswer::Ok;
}
