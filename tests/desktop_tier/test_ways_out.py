"""Every way the console ends, on a real desktop: the exit status, no crash
or sanitizer report, the icon gone, the port released, OPR903.DAT as the
way out leaves it."""

import unittest

from case import DesktopCase
from console import configuration

SALIR_BUTTON = (490, 356)
SLOT_2_INDICATOR = (103, 167)
STORED = configuration(["Recepción"])


class WaysOut(DesktopCase):
    def changed_console(self):
        """A console whose operator has named slot 2, so there is something to save."""
        console = self.console(dat=STORED)
        console.click_in_window(*SLOT_2_INDICATOR, button=3)
        self.desktop.type("Caja")
        self.desktop.keys("Return")
        return console

    def assert_ended(self, console, dat):
        self.assertEqual(console.wait_exit(), 0)
        self.assertFalse(console.icon_present())
        self.assertTrue(console.port_released())
        self.assertEqual(console.dat(), dat)
        self.assertEqual(console.trace()[-1].split()[1], "exit")

    def test_salir_sends_the_closing_request_and_saves_when_answered_yes(self):
        console = self.changed_console()
        console.click_in_window(*SALIR_BUTTON)
        self.save_question(console)
        self.desktop.keys("Return")
        self.assert_ended(console, configuration(["Recepción", "Caja"]))
        self.assertIn(0x8F, console.sent_bytes())

    def test_salir_without_changes_asks_nothing(self):
        console = self.console(dat=STORED)
        console.click_in_window(*SALIR_BUTTON)
        self.assert_ended(console, STORED)
        self.assertEqual(console.sent_bytes()[-1], 0x8F)

    def test_the_menus_salir_ends_at_once_without_asking_or_saving(self):
        console = self.changed_console()
        console.click_icon(button=3)
        menu, height = self.wait(console.popup_menu, "the popup menu")
        left, top, width, _ = self.desktop.position(menu)
        self.desktop.click(left + width // 2, top + height - height // 4)  # the last entry: Salir
        self.assert_ended(console, STORED)
        self.assertNotIn(0x8F, console.sent_bytes())

    def test_the_close_box_without_changes_asks_nothing(self):
        console = self.console(dat=STORED)
        self.click_close_box(console)
        self.assert_ended(console, STORED)

    def test_the_close_box_with_changes_saves_on_yes_and_keeps_the_file_on_no(self):
        for key, dat in (("Return", configuration(["Recepción", "Caja"])), ("n", STORED)):
            with self.subTest(answer=key):
                console = self.changed_console()
                self.click_close_box(console)
                self.save_question(console)
                self.desktop.keys(key)
                self.assert_ended(console, dat)

    def test_the_end_of_the_session_asks_nothing(self):
        console = self.changed_console()
        console.terminate()
        self.assert_ended(console, STORED)

    def click_close_box(self, console):
        """The window manager's close button, at the right end of the title bar."""
        left, top, width, _ = self.desktop.position(console.window)
        self.desktop.click(left + width - 10, top - 11)


if __name__ == "__main__":
    unittest.main(verbosity=2)
