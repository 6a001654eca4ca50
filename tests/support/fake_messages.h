#pragma once

#include "platform/messages.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

// Records beeps and message boxes; answers from a script (default: OK / Yes).
// `whileShown` runs inside the modal box, as other events do on the desktop.
class FakeMessages final : public Messages {
public:
    struct Shown {
        QString text;
        QString title;
        MessageStyle style;
    };

    void beep() override { ++beeps; }
    MessageAnswer show(const QString& text, const QString& title, MessageStyle style) override
    {
        shown.push_back({text, title, style});
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
    std::deque<MessageAnswer> answers;
    std::function<void()> whileShown;
};
