#include "platform/qt/qt_window_services.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

QtWindowServices::QtWindowServices(QWidget& window)
    : window_(window)
    , mostrar_(menu_.addAction(QStringLiteral("Mostrar")))
    , salir_(menu_.addAction(QStringLiteral("Salir")))
{
    mostrar_->setObjectName(QStringLiteral("MnuMostrar"));
    salir_->setObjectName(QStringLiteral("Mnusalir"));
    window_.installEventFilter(this);
    connect(
        qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { sessionEnding_ = true; },
        Qt::DirectConnection);
    connect(qGuiApp, &QGuiApplication::aboutToQuit, this, &QtWindowServices::endSession);
}

bool QtWindowServices::minimised() const
{
    return window_.windowState() & Qt::WindowMinimized;
}

void QtWindowServices::showNormal()
{
    window_.showNormal();
}

void QtWindowServices::hide()
{
    window_.hide();
}

void QtWindowServices::bringToFront()
{
    window_.raise();
    window_.activateWindow();
}

// Only the state: showMinimized() would show the window again after the
// state change has hidden it.
void QtWindowServices::minimise()
{
    window_.setWindowState(window_.windowState() | Qt::WindowMinimized);
}

WindowServices::MenuChoice QtWindowServices::popupMenu(bool mostrarVisible)
{
    mostrar_->setVisible(mostrarVisible);
    const QAction* chosen = menu_.exec(QCursor::pos());
    if (chosen == mostrar_)
        return MenuChoice::Mostrar;
    if (chosen == salir_)
        return MenuChoice::Salir;
    return MenuChoice::None;
}

void QtWindowServices::close()
{
    if (closed_)
        return;
    closed_ = true;
    if (!inCloseEvent_)
        window_.close();
    emit closed();
}

bool QtWindowServices::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    if (event->type() == QEvent::WindowStateChange)
        stateChanged();
    if (event->type() == QEvent::Close && !closed_ && !inCloseEvent_) {
        // Nothing but the operator's close box or the session's end closes it unasked.
        inCloseEvent_ = true;
        closeRequested(!sessionEnding_);
        inCloseEvent_ = false;
    }
    return false;
}

void QtWindowServices::endSession()
{
    sessionEnding_ = true;
    if (!closed_)
        closeRequested(false);
}
