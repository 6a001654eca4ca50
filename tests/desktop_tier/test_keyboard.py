"""The keyboard and the screen reader on the operator's desktop: keys pressed
through the X server reach the console as its clicks do, and an AT-SPI
client on the desktop's accessibility bus reads the panel and hears it
change."""

import unittest

from case import DesktopCase
from console import configuration, frame
from screen_reader import ScreenReader

NO_COMMAND = 0x8E
END_OF_CONNECTION = 0x8F


class Keyboard(DesktopCase):
    accessible = True

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
        self.desktop.keys("Return", "F1", "F7", "F8", "2", "3", "Return")  # ... calls 23: the focus goes to Salir
        self.desktop.keys("space", "Return", "KP_Enter", "F9", "Down", "Return")  # ... dials memory 2
        self.assertEqual(self.commands(console, 8), [0x25, 0x21, 0x81, 0x80, 0x0C, 0x25, 0x25, 0x92])
        self.assertIsNone(console.process.poll())
        self.desktop.keys("alt+s")
        self.assertEqual(self.commands(console, 9)[8], END_OF_CONNECTION)
        self.assertEqual(console.wait_exit(), 0)

    def test_a_screen_reader_reads_the_panel_and_hears_its_changes_and_each_waiting_call_once(self):
        console = self.console()
        self.in_front(console)
        reader = ScreenReader(self.desktop)
        self.addCleanup(reader.close)
        elements = reader.next(lambda s: "elements" in s, "the panel")["elements"]
        panel = {e["name"]: e["description"] for e in elements
                 if e["name"].startswith("Línea ") or e["name"].startswith("Interno ")}
        self.assertEqual(len(panel), 25)
        for name in ("Línea 1", "Línea 6", "Interno 11", "Interno 23", "Interno 20", "Interno Virtual"):
            self.assertIn(name, panel)
        self.assertEqual(panel["Interno 12"], "Interno libre")  # the state of the frames read so far
        buttons = {e["name"] for e in elements if e["role"] == "push button"}
        self.assertTrue({"AGENDA", "LLAMADAS", "Salir"} <= buttons, buttons)
        reader.next(lambda s: s.get("listening"), "its listeners")
        # The console learns of the listeners a moment later: the arrow moves along the panel until one is told.
        focused = None
        for _ in range(10):
            self.desktop.keys("Right")
            focused = reader.hear(lambda s: s.get("event") == "object:state-changed:focused" and s.get("detail"), 0.5)
            if focused:
                break
        self.assertIsNotNone(focused, "no focus move heard")
        self.assertEqual(focused["role"], "label")
        self.assertRegex(focused["name"], r"^Línea [2-6]$")
        console.show(frame(ext2=1, line2=6))
        self.assertEqual(reader.event("object:property-change:accessible-description", "Interno 12", 0)["description"],
                         "Interno ocupado")
        announced = reader.event("object:state-changed:showing", "Llamada pendiente: Línea 2")
        self.assertEqual(announced["role"], "notification")
        console.show(frame(ext2=1, line2=7))  # the same call, handed back: not announced again
        console.show(frame(ext2=1, line2=7, line3=6))
        again = reader.next(lambda s: s.get("event") == "object:state-changed:showing" and s.get("detail") == 1,
                            "the next announcement")
        self.assertEqual(again["name"], "Llamada pendiente: Línea 3")


if __name__ == "__main__":
    unittest.main()
