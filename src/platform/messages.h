#pragma once

#include <QString>

// Modal message boxes and the system beep. Styles are the sums of the
// standard codes: 16 critical + OK, 36 question + Yes/No, 16 + 16384 with Help.
enum class MessageStyle { Critical = 16, Question = 36, CriticalWithHelp = 16 + 16384 };
enum class MessageAnswer { Ok = 1, Yes = 6, No = 7 };

class Messages
{
public:
    virtual ~Messages() = default;
    virtual void beep() = 0;
    // Shows the box modally (other events keep running) and returns the answer.
    virtual MessageAnswer show(const QString& text, const QString& title, MessageStyle style) = 0;
};
