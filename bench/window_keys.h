#pragma once

#include <QProcess>
#include <QTimer>

// An operator's day on a console that is a real X client: every few seconds
// the call list opened and closed (F10, Escape) and the directory opened,
// paged and closed (F9, Page Down three times, Escape), typed with xdotool.
class WindowKeys
{
public:
    WindowKeys(qint64 consolePid, int everyMs);

    // Rounds that xdotool finished without an error.
    int rounds() const { return rounds_; }

private:
    void typeRound();

    qint64 pid_;
    QTimer timer_;
    QProcess xdotool_;
    int rounds_ = 0;
};
