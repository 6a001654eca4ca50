"""A test case with its own private desktop for all its tests, and a fresh
console for each test."""

import unittest

from console import Console
from desktop import Desktop, wait_for


class DesktopCase(unittest.TestCase):
    window_manager = True

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(window_manager=cls.window_manager)

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def console(self, **kwargs):
        console = Console(self.desktop, **kwargs)
        self.addCleanup(console.close)
        return console

    def wait(self, condition, what, timeout=10):
        return wait_for(condition, timeout, what)

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

