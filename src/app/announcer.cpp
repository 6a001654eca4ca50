#include "app/announcer.h"

#include "app/accessible_role.h"

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    installAccessibleRole<Announcer, QAccessible::Notification>();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    flush_.setSingleShot(true);
    flush_.setInterval(0);
    connect(&flush_, &QTimer::timeout, this, [this] { flush(); });
}

void Announcer::announce(const QString& message)
{
    if (!pending_.contains(message))
        pending_ << message;
    flush_.start();
}

void Announcer::flush()
{
    hide();
    setAccessibleName(pending_.join(QStringLiteral(". ")));
    pending_.clear();
    show();
}
