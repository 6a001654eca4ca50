"""The call journal on the operator's desktop: a missed and an answered call
from the exchange reach the day's file, the LLAMADAS button counts the
missed one for a screen reader, and the list opens from the button and
closes with Esc, never taking the keyboard from a name being typed."""

import csv
import datetime
import os
import unittest

from case import DesktopCase
from console import IDLE, frame
from screen_reader import ScreenReader

LLAMADAS_BUTTON = (268, 358)
SLOT_2_INDICATOR = (103, 167)


class Journal(DesktopCase):
    accessible = True

    def test_calls_reach_the_days_file_the_button_and_the_list(self):
        console = self.console()
        reader = ScreenReader(self.desktop)
        self.addCleanup(reader.close)
        for status in (frame(line2=6), IDLE, frame(ext3=4), frame(ext3=2), IDLE):  # missed, then answered
            console.show(status)

        day_file = os.path.join(console.data_folder, "opr903", "llamadas", f"{datetime.date.today()}.csv")
        rows = self.wait(lambda: os.path.exists(day_file) and self.rows(day_file, 3), "two calls in the day's file")
        self.assertEqual(rows[0], ["inicio", "origen", "nombre", "tipo", "espera_s", "resultado", "fin"])
        self.assertEqual([(r[1], r[3], r[5]) for r in rows[1:]], [("L2", "entrante", "perdida"),
                                                                  ("13", "interno", "atendida")])
        names = [e["name"] for e in reader.elements()]
        self.assertIn("LLAMADAS (1)", names)

        console.click_in_window(*LLAMADAS_BUTTON)
        window = self.wait(lambda: self.desktop.window_titled("Llamadas"), "the call list")
        self.wait(lambda: self.active_window() == window.id, "the call list in front")
        cells = [e["name"] for e in reader.elements() if e["role"] == "table cell"]
        self.assertLess(cells.index("atendida"), cells.index("PERDIDA"))  # newest first, the missed one marked
        self.desktop.keys("Escape")
        self.wait(lambda: not self.desktop.viewable(window), "the call list closed")
        self.assertEqual(console.process.poll(), None)

    def test_the_list_opened_while_a_name_is_typed_leaves_the_typing_where_it_was(self):
        console = self.console()
        reader = ScreenReader(self.desktop)
        self.addCleanup(reader.close)
        self.in_front(console)
        console.click_in_window(*SLOT_2_INDICATOR, button=3)
        self.desktop.type("Ab")
        console.click_in_window(*LLAMADAS_BUTTON)
        window = self.wait(lambda: self.desktop.window_titled("Llamadas"), "the call list")
        self.wait(lambda: self.desktop.viewable(window), "the call list shown")
        self.assertEqual(self.active_window(), console.window.id)
        self.desktop.type("c")
        self.desktop.keys("Return")
        self.wait(lambda: "Interno 12 Abc" in [e["name"] for e in reader.elements()], "the name typed whole")

    @staticmethod
    def rows(path, count):
        with open(path, newline="", encoding="utf-8") as f:
            rows = list(csv.reader(f))
        return rows if len(rows) >= count else None


if __name__ == "__main__":
    unittest.main(verbosity=2)
