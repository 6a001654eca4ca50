#pragma once

#include <QLineEdit>
#include <QValidator>

class StorableLineEdit;

// Judges each edit of a StorableLineEdit against the text before it.
class StorableInputFilter final : public QValidator
{
public:
    explicit StorableInputFilter(StorableLineEdit& edit);
    State validate(QString& input, int& pos) const override;

private:
    StorableLineEdit& edit_;
};

// A text box for names and notes kept in the configuration file. What the
// operator types, pastes or drops is held to the typing limit in total, and
// characters the file cannot store (a double quote, anything outside
// Windows-1252) are dropped from it; an edit that brings in nothing but such
// characters is refused as a whole. A paste longer than the room left is cut
// to fit. Text the program puts in with setText is kept whole, even when it
// is longer than the limit (the limit never truncates a loaded name), and
// undo and redo keys bring back earlier texts whatever their length.
class StorableLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit StorableLineEdit(int typingLimit, QWidget* parent = nullptr);

    void setTypingLimit(int limit) { typingLimit_ = limit; }
    int typingLimit() const { return typingLimit_; }

    // Puts the text in whole, unfiltered and uncut.
    void setText(const QString& text);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class StorableInputFilter;
    // Whether the change being validated comes from the operator.
    bool operatorEditing() const { return eventDepth_ > 0 && programWrites_ == 0; }
    void runAsProgramWrite(const auto& write);

    int typingLimit_;
    QString textBefore_; // the text as it was before the change being validated
    int eventDepth_ = 0;
    int programWrites_ = 0;
    StorableInputFilter filter_{*this};
};
