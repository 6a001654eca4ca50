#pragma once

#include "platform/messages.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Records beeps and message boxes, each also as a line of `log` ("beep",
// "<style> <title> | <text>"); answers from a script (default: OK / Yes).
// `whileShown` runs inside the modal box, as other events do on the desktop.
class FakeMessages final : public Messages
{
public:
    struct Shown {
        QString text;
        QString title;
        MessageStyle style;
    };

    void beep() override
    {
        ++beeps;
        log << QStringLiteral("beep");
    }
    MessageAnswer show(const QString& text, const QString& title, MessageStyle style) override
    {
        shown.push_back({text, title, style});
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
    std::vector<Shown> shown;
    QStringList log;
    std::deque<MessageAnswer> answers;
    std::function<void()> whileShown;
};
