#pragma once

#include <QSocketNotifier>
#include <QString>

#include <functional>
#include <memory>

struct xcb_connection_t;

// Watches an X server for the first top-level window to be mapped (shown),
// from the bench's own connection, and notes when on the caller's clock.
class WindowWatch
{
public:
    WindowWatch(const QString& display, std::function<qint64()> clockUs);
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    bool connected() const { return notifier_ != nullptr; }
    // When the first window was mapped; -1 until then.
    qint64 mappedUs() const { return mappedUs_; }

private:
    void readEvents();

    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<qint64()> clockUs_;
    qint64 mappedUs_ = -1;
};
