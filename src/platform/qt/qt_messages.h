#pragma once

#include "platform/messages.h"

class QWidget;

// Modal message boxes with Spanish buttons and plain text; the system beep.
class QtMessages final : public Messages
{
public:
    explicit QtMessages(QWidget* parent)
        : parent_(parent)
    {
    }
    void beep() override;
    MessageAnswer show(const QString& text, const QString& title, MessageStyle style) override;

private:
    QWidget* parent_;
};
