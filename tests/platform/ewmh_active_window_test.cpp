#ifdef OPR903_HAVE_XCB
#include "platform/qt/ewmh_active_window.h"

#include <QProcess>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstring>
#include <string>

namespace
{

// A display of the test's own (Xvfb, no window manager): the test plays the
// window manager by setting the root window's properties itself.
struct OwnDisplay : ::testing::Test {
    void SetUp() override
    {
        server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
        ASSERT_TRUE(server.waitForStarted(5000)) << server.errorString().toStdString();
        ASSERT_TRUE(server.waitForReadyRead(10000));
        const std::string display = ":" + server.readLine().trimmed().toStdString();
        c = xcb_connect(display.c_str(), nullptr);
        ASSERT_EQ(xcb_connection_has_error(c), 0);
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }

    void TearDown() override
    {
        if (c)
            xcb_disconnect(c);
        server.kill();
        server.waitForFinished();
    }

    xcb_atom_t atom(const char* name)
    {
        auto* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r->atom;
        std::free(r);
        return a;
    }

    xcb_window_t window()
    {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
            XCB_COPY_FROM_PARENT, 0, nullptr);
        return w;
    }

    void set(xcb_window_t w, xcb_atom_t name, xcb_atom_t type, int format, const void* data, std::size_t count)
    {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, name, type, std::uint8_t(format), std::uint32_t(count), data);
        xcb_flush(c);
    }

    void activate(xcb_window_t w) { set(root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, &w, 1); }

    QProcess server;
    xcb_connection_t* c = nullptr;
    xcb_window_t root = 0;
};

TEST_F(OwnDisplay, NoActiveWindowGivesNothing)
{
    EXPECT_EQ(ewmhActiveWindowTitle(c), std::nullopt);
    activate(XCB_WINDOW_NONE);
    EXPECT_EQ(ewmhActiveWindowTitle(c), std::nullopt);
}

TEST_F(OwnDisplay, TheActiveWindowsNameInUtf8ElseItsLegacyName)
{
    const xcb_window_t calculator = window();
    const std::string utf8 = "Facturación — Calc";
    set(calculator, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, utf8.data(), utf8.size());
    const xcb_window_t terminal = window();
    set(terminal, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, "xterm", 5);
    const xcb_window_t untitled = window();

    activate(calculator);
    EXPECT_EQ(ewmhActiveWindowTitle(c), QString::fromUtf8(utf8.c_str()));
    activate(terminal);
    EXPECT_EQ(ewmhActiveWindowTitle(c), QStringLiteral("xterm"));
    activate(untitled);
    EXPECT_EQ(ewmhActiveWindowTitle(c), QString());
}

} // namespace
#endif
