#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

// Paces a window's painting while status frames come close together: a
// repaint after a quiet moment runs at once, but one asked for within a few
// milliseconds of the one before waits until a little later, with all that
// changed meanwhile, so that painting never keeps the answer to a poll waiting.
class PaintPacer final : public QObject
{
public:
    explicit PaintPacer(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void release();

    QWidget& window_;
    QElapsedTimer sinceLast_;
    QTimer held_;
    bool releasing_ = false;
};
