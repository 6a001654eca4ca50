"""The keyboard on the operator's desktop: keys pressed through the X server
reach the console as its clicks do."""

import unittest

from case import DesktopCase
from console import configuration, frame

NO_COMMAND = 0x8E
SLOT_3_INDICATOR = (173, 167)
END_OF_CONNECTION = 0x8F


class Keyboard(DesktopCase):
    def commands(self, console, count):
        """The first `count` commands the console sent after its four opening bytes, answers without a
        command left out."""
        def sent():
            commands = [b for b in console.sent_bytes()[4:] if b != NO_COMMAND]
            return commands if len(commands) >= count else None
        return self.wait(sent, f"{count} commands on the wire")

    def test_every_key_acts_as_its_click_and_only_alt_s_presses_salir(self):
        console = self.console(dat=configuration())  # nothing to save: Salir ends without a question
        self.in_front(console)
        console.show(frame(line5=7))
        # The console talks to extension 13 (CORTA, RETIENE); line 5 came back first, then line 2 rang.
        console.show(frame(ext19=0xC0, ext3=2, line5=7, line2=6))
        self.desktop.keys("Return", "F1", "F7", "F8", "2", "3", "Return")  # ... calls 23
        console.click_in_window(*SLOT_3_INDICATOR)  # busy: no command, but the focus goes to Salir
        self.desktop.keys("space", "Return", "KP_Enter", "F9", "Down", "Return")  # ... dials memory 2
        self.assertEqual(self.commands(console, 8), [0x25, 0x21, 0x81, 0x80, 0x0C, 0x25, 0x25, 0x92])
        self.assertIsNone(console.process.poll())
        self.desktop.keys("alt+s")
        self.assertEqual(self.commands(console, 9)[8], END_OF_CONNECTION)
        self.assertEqual(console.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
