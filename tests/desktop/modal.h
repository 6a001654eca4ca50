#pragma once

#include <QApplication>
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
