#include "platform/qt/tracing_shell_events.h"

#include "platform/qt/trace.h"

void TracingShellEvents::alert(bool on)
{
    trace_.line(on ? QStringLiteral("alert on") : QStringLiteral("alert off"));
}

void TracingShellEvents::icon(int image)
{
    trace_.line(QStringLiteral("icon %1").arg(image));
}

void TracingShellEvents::balloon(Balloon b)
{
    trace_.line(b == Balloon::Show ? QStringLiteral("balloon show") : QStringLiteral("balloon remove"));
}

void TracingShellEvents::tone()
{
    trace_.line(QStringLiteral("tone"));
}

void TracingShellEvents::exit()
{
    trace_.line(QStringLiteral("exit"));
}
