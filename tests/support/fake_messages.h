#pragma once

#include "platform/messages.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

// Counts the beeps and logs them and the message boxes as lines ("beep",
// "<style> <title> | <text>"); answers from a script (default: OK / Yes).
// `whileShown` runs inside the modal box, as other events do on the desktop.
class FakeMessages final : public Messages
{
public:
    void beep() override
    {
        ++beeps;
        log << QStringLiteral("beep");
    }
    MessageAnswer show(const QString& text, const QString& title, MessageStyle style) override
    {
        log << QStringLiteral("%1 %2 | %3").arg(int(style)).arg(title, text);
        if (whileShown)
            whileShown();
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return style == MessageStyle::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
    }

    int beeps = 0;
    QStringList log;
    std::deque<MessageAnswer> answers;
    std::function<void()> whileShown;
};
