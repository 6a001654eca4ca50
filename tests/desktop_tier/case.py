"""A test case with its own private desktop for all its tests, and a fresh
console for each test."""

import unittest

from console import Console
from desktop import Desktop, wait_for
from orca_reader import Orca


class DesktopCase(unittest.TestCase):
    window_manager = True
    tray = "xembed"
    screen_reader = False  # Orca runs on the desktop, started before each console

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(window_manager=cls.window_manager, tray=cls.tray)
        cls.orca = None
        if cls.screen_reader:
            cls.desktop.env.pop("NO_AT_BRIDGE", None)
            try:
                cls.orca = Orca(cls.desktop)
            except BaseException:
                cls.desktop.close()
                raise

    @classmethod
    def tearDownClass(cls):
        if cls.orca:
            cls.orca.close()
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

