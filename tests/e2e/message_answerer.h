#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

// Answers every message box that comes up with its `preferred` button, else
// its default button (by default as an operator would who wants nothing
// saved: "No" to a question); keeps each box's title and text ("title | text").
class MessageAnswerer
{
public:
    MessageAnswerer()
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(20);
    }
    const QStringList& seen() const { return seen_; }
    QString preferred = QStringLiteral("&No");

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen_ << box->windowTitle() + QStringLiteral(" | ") + box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == preferred)
                return button->click();
        box->defaultButton()->click();
    }

    QTimer poll_;
    QStringList seen_;
};
