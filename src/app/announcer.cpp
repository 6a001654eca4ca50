#include "app/call_announcer.h"

#include <QAccessibleWidget>

namespace
{

QAccessibleInterface* notificationRole(const QString&, QObject* object)
{
    auto* announcer = dynamic_cast<CallAnnouncer*>(object);
    return announcer ? new QAccessibleWidget(announcer, QAccessible::Notification) : nullptr;
}

} // namespace

CallAnnouncer::CallAnnouncer(QWidget* parent)
    : QWidget(parent)
{
    QAccessible::removeFactory(notificationRole); // one entry however many windows
    QAccessible::installFactory(notificationRole);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
}

void CallAnnouncer::announce(const QString& message)
{
    hide();
    setAccessibleName(message);
    show();
}
