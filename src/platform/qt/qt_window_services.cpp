#include "platform/qt/qt_window_services.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

QtWindowServices::QtWindowServices(QWidget& window)
    : window_(window)
    , showAction_(menu_.addAction(QStringLiteral("Mostrar")))
    , exitAction_(menu_.addAction(QStringLiteral("Salir")))
{
    showAction_->setObjectName(QStringLiteral("showAction"));
    exitAction_->setObjectName(QStringLiteral("exitAction"));
    window_.installEventFilter(this);
    connect(
        qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { sessionEnding_ = true; },
        Qt::DirectConnection);
    connect(qGuiApp, &QGuiApplication::aboutToQuit, this, &QtWindowServices::endSession);
}

// A hidden window is a minimised one: only the icon brings it back.
bool QtWindowServices::minimised() const
{
    return window_.isHidden() || (window_.windowState() & Qt::WindowMinimized);
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

// Minimised means hidden from the screen and the taskbar: the window is
// withdrawn at once. Asking the window manager to iconify it as well would
// leave iconic hints behind that minimise it again when it is shown, and
// showMinimized() would show it again as iconic.
void QtWindowServices::minimise()
{
    window_.hide();
}

WindowServices::MenuChoice QtWindowServices::popupMenu(bool showEntryVisible)
{
    showAction_->setVisible(showEntryVisible);
    const QAction* chosen = menu_.exec(QCursor::pos());
    if (chosen == showAction_)
        return MenuChoice::Show;
    if (chosen == exitAction_)
        return MenuChoice::Exit;
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
