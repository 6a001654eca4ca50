#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `act` on the modal widget once it is up (from inside its event loop).
inline void whenModal(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(w);
        }
    });
    poll->start();
}
