#pragma once

#include <QString>

// A fixed-size text field of the notification record: at most Size - 1
// characters, zero characters to the end. An empty text leaves the field as
// it was; a text of one zero character clears it.
template <int Size> class NotifyTextField
{
public:
    NotifyTextField()
        : field_(Size, QChar(0))
    {
    }

    void set(const QString& text)
    {
        if (text.isEmpty())
            return;
        const QString kept = text.left(Size - 1);
        field_ = kept + QString(Size - kept.size(), QChar(0));
    }
    void clear() { field_.fill(QChar(0)); }

    // The whole field, zero characters included.
    const QString& raw() const { return field_; }
    // The text up to the first zero character.
    QString text() const { return field_.left(field_.indexOf(QChar(0))); }

private:
    QString field_;
};
