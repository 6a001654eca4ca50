#include "window_keys.h"

WindowKeys::WindowKeys(qint64 consolePid, int everyMs)
    : pid_(consolePid)
{
    QObject::connect(&xdotool_, &QProcess::finished, [this](int code, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && code == 0)
            ++rounds_;
    });
    QObject::connect(&timer_, &QTimer::timeout, [this] { typeRound(); });
    timer_.start(everyMs);
}

// One round, unless the one before is still typing; the console window is
// found by its process and given the focus before each of its keys.
void WindowKeys::typeRound()
{
    if (xdotool_.state() != QProcess::NotRunning)
        return;
    const QString pid = QString::number(pid_);
    xdotool_.start(QStringLiteral("xdotool"),
        {"search", "--pid", pid, "--name", "QUINDORA", "windowfocus", "--sync", "%1", "key", "F10", "sleep", "0.5",
            "key", "Escape", "sleep", "0.2", "search", "--pid", pid, "--name", "QUINDORA", "windowfocus", "--sync",
            "%1", "key", "F9", "sleep", "0.2", "key", "Next", "Next", "Next", "sleep", "0.2", "key", "Escape"});
}
