"""The call journal on the operator's desktop: a missed and an answered call
from the exchange reach the day's file; the list opens from F10 or the
button, Orca reads its rows and the count of missed calls, and Esc closes
it with the focus back where it was; opened while a name is typed, it never
takes the keyboard."""

import csv
import datetime
import os
import re
import unittest

from case import DesktopCase
from console import IDLE, configuration, frame

LLAMADAS_BUTTON = (268, 358)
SLOT_2_INDICATOR = (103, 167)


WAIT = r"^\d+:\d\d\.$"


class Journal(DesktopCase):
    screen_reader = True

    def test_calls_reach_the_days_file_and_the_list_orca_reads(self):
        console = self.console(dat=configuration(["", "", "Almacén"]))
        self.in_front(console)
        for status in (frame(line2=6), IDLE, frame(ext3=4), frame(ext3=2), IDLE):  # missed, then answered
            console.show(status)

        day_file = os.path.join(console.data_folder, "opr903", "llamadas", f"{datetime.date.today()}.csv")
        rows = self.wait(lambda: os.path.exists(day_file) and self.rows(day_file, 3), "two calls in the day's file")
        self.assertEqual(rows[0], ["inicio", "origen", "nombre", "tipo", "espera_s", "resultado", "fin"])
        self.assertEqual([(r[1], r[3], r[5]) for r in rows[1:]], [("L2", "entrante", "perdida"),
                                                                  ("13", "interno", "atendida")])
        mark = self.orca.mark()
        self.desktop.keys("Right")
        self.orca.hear(r"^Línea 2, Línea libre label", mark)
        for open_list in (lambda: self.desktop.keys("F10"), lambda: console.click_in_window(*LLAMADAS_BUTTON)):
            mark = self.orca.mark()
            open_list()
            window = self.wait(lambda: self.desktop.window_titled("Llamadas"), "the call list")
            self.wait(lambda: self.active_window() == window.id, "the call list in front")
            self.orca.hear(r"^1 llamada perdida hoy", mark)
            # Newest first, each row whole: time, origin and name, kind, wait, result.
            self.assert_row(mark, [r"^\d\d:\d\d:\d\d\.$", r"^13 Almacén\.$", r"^interno\.$", WAIT, r"^atendida\.$"])
            mark = self.orca.mark()
            self.desktop.keys("Down")
            self.assert_row(mark, [r"^\d\d:\d\d:\d\d\.$", r"^L2\.$", r"^entrante\.$", WAIT, r"^perdida\.$"])
            mark = self.orca.mark()
            self.desktop.keys("Escape")
            self.wait(lambda: not self.desktop.viewable(window), "the call list closed")
            self.orca.hear(r"^Línea 2, Línea libre label", mark)

    def assert_row(self, mark, cells):
        """Orca said a row, its cells one after another as these patterns say."""
        def row():
            said = self.orca.utterances(mark)
            return any(all(re.search(p, u) for p, u in zip(cells, said[i:i + len(cells)]))
                       for i in range(len(said) - len(cells) + 1))
        try:
            self.wait(row, "the row")
        except AssertionError:
            self.fail(f"no row {cells} in {self.orca.utterances(mark)}")

    def test_the_list_opened_while_a_name_is_typed_leaves_the_typing_where_it_was(self):
        console = self.console(dat=configuration())
        self.in_front(console)
        console.click_in_window(*SLOT_2_INDICATOR, button=3)
        self.desktop.type("Ab")
        console.click_in_window(*LLAMADAS_BUTTON)
        window = self.wait(lambda: self.desktop.window_titled("Llamadas"), "the call list")
        self.wait(lambda: self.desktop.viewable(window), "the call list shown")
        self.assertEqual(self.active_window(), console.window.id)
        self.desktop.type("c")
        self.desktop.keys("Return")
        self.desktop.keys("alt+s")  # Salir, under the list
        self.save_question(console)
        self.desktop.keys("Return")
        self.assertEqual(console.wait_exit(), 0)
        self.assertEqual(console.dat(), configuration(["", "Abc"]))  # the name typed whole

    @staticmethod
    def rows(path, count):
        with open(path, newline="", encoding="utf-8") as f:
            rows = list(csv.reader(f))
        return rows if len(rows) >= count else None


if __name__ == "__main__":
    unittest.main(verbosity=2)
