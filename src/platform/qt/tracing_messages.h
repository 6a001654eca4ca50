#pragma once

#include "platform/messages.h"

class Trace;

// Traces every beep and message box ("beep", "msg <title> | <text>") and
// passes it on.
class TracingMessages final : public Messages
{
public:
    TracingMessages(Messages& messages, Trace& trace)
        : messages_(messages)
        , trace_(trace)
    {
    }

    void beep() override;
    MessageAnswer show(const QString& text, const QString& title, MessageStyle style) override;

private:
    Messages& messages_;
    Trace& trace_;
};
