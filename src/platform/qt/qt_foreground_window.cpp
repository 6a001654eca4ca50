#include "platform/qt/qt_foreground_window.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef OPR903_HAVE_XCB
#include "platform/qt/ewmh_active_window.h"

#include <QtGui/qguiapplication_platform.h>
#endif

std::optional<QString> QtForegroundWindow::title() const
{
#ifdef OPR903_HAVE_XCB
    // The interface exists on other platforms too, without a connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr)
        return ewmhActiveWindowTitle(connection);
#endif
    if (window_.isActiveWindow())
        return window_.windowTitle();
    return QString();
}
