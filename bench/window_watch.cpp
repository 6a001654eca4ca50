#include "window_watch.h"

#include <xcb/xcb.h>

#include <cstdlib>

WindowWatch::WindowWatch(const QString& display, std::function<qint64()> clockUs)
    : connection_(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    , clockUs_(std::move(clockUs))
{
    if (xcb_connection_has_error(connection_))
        return;
    // Top-level windows are the root's children: their mapping is the root's substructure.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); // in effect now
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
}

WindowWatch::~WindowWatch()
{
    notifier_.reset();
    xcb_disconnect(connection_);
}

void WindowWatch::readEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY
            && !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
        if (mapped && mappedUs_ < 0)
            mappedUs_ = clockUs_();
        std::free(event);
    }
}
