#pragma once

#include <QAccessibleWidget>

// Gives every widget of class W the accessible role R in place of the one its
// Qt base class gives it.
template <typename W, QAccessible::Role R> void installAccessibleRole()
{
    const QAccessible::InterfaceFactory factory = [](const QString&, QObject* object) -> QAccessibleInterface* {
        auto* widget = dynamic_cast<W*>(object);
        return widget ? new QAccessibleWidget(widget, R) : nullptr;
    };
    QAccessible::removeFactory(factory); // one entry however many widgets
    QAccessible::installFactory(factory);
}
