#include "platform/qt/ewmh_active_window.h"

#ifdef OPR903_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{

template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const XcbReply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr), &std::free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

XcbReply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
{
    return {xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 1024), nullptr), &std::free};
}

} // namespace

std::optional<QString> ewmhActiveWindowTitle(xcb_connection_t* c)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto active = property(c, root, atom(c, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    if (!active || xcb_get_property_value_length(active.get()) < int(sizeof(xcb_window_t)))
        return std::nullopt;
    const xcb_window_t window = *static_cast<xcb_window_t*>(xcb_get_property_value(active.get()));
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    const auto name = property(c, window, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"));
    if (name && xcb_get_property_value_length(name.get()) > 0)
        return QString::fromUtf8(
            static_cast<const char*>(xcb_get_property_value(name.get())), xcb_get_property_value_length(name.get()));
    const auto legacy = property(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    if (!legacy)
        return QString();
    return QString::fromLatin1(
        static_cast<const char*>(xcb_get_property_value(legacy.get())), xcb_get_property_value_length(legacy.get()));
}
#endif
