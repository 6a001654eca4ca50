#pragma once

#include <QString>

struct Configuration;
class OperatorView;

// The operator's names above the first 18 extension indicators: opened for
// editing by a right click, closed by Enter, Esc or loss of focus, with a font
// that shrinks as the name grows. The names live in the configuration.
class NameBoxes
{
public:
    static constexpr int MaxLength = 10;
    static constexpr int NormalPoints = 9;

    // Key codes the rules tell apart.
    static constexpr int Enter = 13;
    static constexpr int Escape = 27;
    static constexpr int Backspace = 8;

    NameBoxes(OperatorView& view, Configuration& configuration);

    // Start-up: put the loaded names into the boxes and show the named ones.
    void showNames();

    void open(int index);
    // A key that raises a character code; false when the key is cancelled.
    bool keyPress(int index, int code);
    void textChanged(int index, const QString& text);
    void focusLost(int index);

    const QString& previousText() const { return previousText_; }

private:
    static int pointsForTyping(int lengthBefore);
    static int pointsForBackspace(int lengthBefore);

    OperatorView& view_;
    Configuration& configuration_;
    QString previousText_;
};
