#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `act` on the widget `find` gives once it is up (from inside its event loop).
inline void whenUp(QWidget* (*find)(), std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, find, act] {
        if (QWidget* w = find(); w && w->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(w);
        }
    });
    poll->start();
}

inline void whenModal(std::function<void(QWidget*)> act)
{
    whenUp(&QApplication::activeModalWidget, std::move(act));
}

// Once a popup menu is up: notes the texts of its visible entries and chooses
// the enabled one whose text starts with `entry`, or closes the menu if none does.
struct MenuPick {
    QStringList offered;
    bool chosen = false;
};
inline void chooseFromMenu(const QString& entry, MenuPick& result)
{
    whenUp(&QApplication::activePopupWidget, [entry, &result](QWidget* popup) {
        auto* menu = static_cast<QMenu*>(popup);
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->isVisible())
                result.offered << a->text();
            if (!chosen && !entry.isEmpty() && a->text().startsWith(entry) && a->isEnabled())
                chosen = a;
        }
        result.chosen = chosen;
        if (chosen)
            menu->setActiveAction(chosen);
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
}
