"""A test case with its own private desktop for all its tests, and a fresh
console for each test."""

import unittest

from console import Console
from desktop import Desktop, wait_for


class DesktopCase(unittest.TestCase):
    window_manager = True
    accessible = False  # a screen reader's desktop: the accessibility bus on before the console starts

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(window_manager=cls.window_manager)
        if cls.accessible:
            cls.desktop.env.pop("NO_AT_BRIDGE", None)
            cls.desktop.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                             "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                             "variant:boolean:true"])

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def console(self, **kwargs):
        console = Console(self.desktop, **kwargs)
        self.addCleanup(console.close)
        return console

    def wait(self, condition, what, timeout=10):
        return wait_for(condition, timeout, what)

    def in_front(self, console):
        self.wait(lambda: self.active_window() == console.window.id, "the console in front")

    def active_window(self):
        value = self.desktop.root_property("_NET_ACTIVE_WINDOW")
        return value[0] if value else 0

    def save_question(self, console):
        """The console's message box once it is up and has the keyboard focus."""
        def box():
            for window in self.desktop.client_list():
                if window != console.window.id and window == self.active_window():
                    return window
            return None
        return self.wait(box, "the save question")

