"""The call journal on the operator's desktop: calls from the exchange reach
the day's file; the list opens from F10 or the button, Orca reads its rows
and the count of missed calls, and Esc closes it with the focus back where
it was; Enter on a missed extension call calls it back; the chart shows each
hour's calls on the screen, Orca says the figures and the busiest hour, and
Alt+Left and Alt+Right reach the earlier days; opened while a name is typed,
the list never takes the keyboard."""

import datetime
import re
import unittest

from case import DesktopCase
from console import IDLE, configuration, day_row, frame

LLAMADAS_BUTTON = (268, 358)
SLOT_2_INDICATOR = (103, 167)
NO_COMMAND = 0x8E
AXIS = (0, 0, 0)


WAIT = r"^\d+:\d\d\.$"


def list_title(day):
    return f"Llamadas del {day:%d/%m/%Y}"


def answered_colour(rgb):
    r, g, b = rgb
    return b > 150 and r < 100


def not_answered_colour(rgb):
    r, g, b = rgb
    return r > 150 and g < 170 and b < 170 and r - g > 80


def run_length(column, start, step, fits):
    """How many pixels from start, going by step, fit."""
    length = 0
    while 0 <= start + length * step < len(column) and fits(column[start + length * step]):
        length += 1
    return length


def chart_bars(pixels):
    """Each hour's (answered, not answered) bar heights in pixels, read off the chart's axis: the longest
    black line on the screen, in 24 equal slots."""
    longest = (0, 0, 0)  # length, row, first column
    for y, row in enumerate(pixels):
        x = 0
        while x < len(row):
            length = run_length(row, x, 1, lambda p: p == AXIS)
            longest = max(longest, (length, y, x))
            x += max(length, 1)
    width, axis, left = longest
    bars = []
    for hour in range(24):
        x = left + (2 * hour + 1) * width // 48
        column = [row[x] for row in pixels]
        answered = run_length(column, axis - 1, -1, answered_colour)
        bars.append((answered, run_length(column, axis - 1 - answered, -1, not_answered_colour)))
    return bars


class Journal(DesktopCase):
    screen_reader = True

    def test_calls_reach_the_days_file_and_the_list_orca_reads(self):
        console = self.console(dat=configuration(["", "", "Almacén"]))
        self.in_front(console)
        for status in (frame(line2=6), IDLE, frame(ext3=4), frame(ext3=2), IDLE):  # missed, then answered
            console.show(status)

        today = datetime.date.today()
        rows = self.wait(lambda: len(console.day_rows(today)) == 2 and console.day_rows(today), "two calls filed")
        self.assertEqual([(r[1], r[3], r[5]) for r in rows], [("L2", "entrante", "perdida"),
                                                              ("13", "interno", "atendida")])
        mark = self.orca.mark()
        self.desktop.keys("Right")
        self.orca.hear(r"^Línea 2, Línea libre label", mark)
        for open_list in (lambda: self.desktop.keys("F10"), lambda: console.click_in_window(*LLAMADAS_BUTTON)):
            mark = self.orca.mark()
            open_list()
            window = self.wait(lambda: self.desktop.window_titled(list_title(today)), "the call list")
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

    def test_a_missed_extension_call_is_called_back_from_the_list_with_enter(self):
        console = self.console(dat=configuration())
        self.in_front(console)
        # Line 2 and extension 13 missed, then extension 14 answered.
        for status in (frame(line2=6), IDLE, frame(ext3=4), IDLE, frame(ext4=4), frame(ext4=2), IDLE):
            console.show(status)
        today = datetime.date.today()
        self.wait(lambda: len(console.day_rows(today)) == 3, "three calls filed")
        mark = self.orca.mark()
        self.desktop.keys("F10")
        window = self.wait(lambda: self.desktop.window_titled(list_title(today)), "the call list")
        self.wait(lambda: self.active_window() == window.id, "the call list in front")
        self.orca.hear(r"^2 llamadas perdidas hoy", mark)
        self.orca.hear(r"^14\.$", mark)  # the first row, extension 14's
        sent = len(console.sent_bytes())
        self.desktop.keys("Down", "Return")  # extension 13's
        self.wait(lambda: 0x03 in console.sent_bytes()[sent:], "extension 13 called on the wire")
        callback = self.wait(lambda: len(console.day_rows(today)) == 4 and console.day_rows(today)[3], "the callback")
        self.assertEqual((callback[1], callback[3]), ("13", "rellamada"))
        self.assertEqual(self.active_window(), window.id)  # the keyboard stays in the list
        mark = self.orca.mark()
        self.desktop.keys("Down")
        self.orca.hear(r"^entrante\.$", mark)  # line 2's row
        self.desktop.keys("Return")  # no caller to call back
        mark = self.orca.mark()
        self.desktop.keys("Escape")
        self.wait(lambda: not self.desktop.viewable(window), "the call list closed")
        self.orca.hear(r"^Línea 1, ", mark)  # the focus back on the panel
        mark = self.orca.mark()
        self.desktop.keys("F10")  # opened again: one missed call left, extension 13's marked
        self.orca.hear(r"^1 llamada perdida hoy", mark)
        self.orca.hear(r"^atendida\.$", mark)
        mark = self.orca.mark()
        self.desktop.keys("Down")
        self.orca.hear(rf"^perdida, rellamada {callback[0][11:16]}\.$", mark)
        self.assertEqual([b for b in console.sent_bytes()[sent:] if b != NO_COMMAND], [0x03])

    def test_the_chart_shows_each_hours_calls_and_alt_arrows_reach_the_days_with_a_file(self):
        today = datetime.date.today()
        busy, quiet = (datetime.datetime.now().hour + 12) % 24, (datetime.datetime.now().hour + 6) % 24
        at = lambda hour, minute: datetime.datetime.combine(today, datetime.time(hour, minute))  # noqa: E731
        outcomes = [(busy, "atendida")] * 3 + [(busy, "perdida")] * 2 + [(quiet, "atendida"), (quiet, "sin final")]
        yesterday, earlier = today - datetime.timedelta(days=1), today - datetime.timedelta(days=3)
        console = self.console(dat=configuration(), day_files={
            today: "".join(day_row(at(h, i), "L1", "entrante", 10, o) for i, (h, o) in enumerate(outcomes)),
            yesterday: day_row(datetime.datetime.combine(yesterday, datetime.time(9)), "L3", "entrante", 5, "atendida"),
            earlier: "roto\r\n" + day_row(datetime.datetime.combine(earlier, datetime.time(10)), "L4", "devuelta",
                                          5, "perdida")})
        self.in_front(console)
        for status in (frame(line2=6), IDLE, frame(line3=6), frame(line3=2), IDLE):  # missed, then answered
            console.show(status)
        rows = self.wait(lambda: len(console.day_rows(today)) == 9 and console.day_rows(today), "two more calls")
        self.desktop.keys("F10")
        window = self.wait(lambda: self.desktop.window_titled(list_title(today)), "the call list")
        self.wait(lambda: self.active_window() == window.id, "the call list in front")
        expected = [[0, 0] for _ in range(24)]
        for row in rows:
            expected[int(row[6][11:13])][row[5] != "atendida"] += 1
        most = max(sum(hour) for hour in expected)

        def drawn():  # the chart on the screen, its busiest hour filling it
            bars = chart_bars(self.desktop.screenshot(*self.desktop.position(window)))
            return bars if max(sum(bar) for bar in bars) > 20 else None
        bars = self.wait(drawn, "the chart drawn")
        tallest = max(sum(bar) for bar in bars)
        for hour in range(24):
            answered, total = expected[hour][0] * tallest / most, sum(expected[hour]) * tallest / most
            self.assertAlmostEqual(bars[hour][0], answered, delta=1, msg=f"hour {hour}: {bars[hour]}")
            self.assertAlmostEqual(sum(bars[hour]), total, delta=1, msg=f"hour {hour}: {bars[hour]}")
        # From the list back to the chart, then the figures, each heard before the next key.
        for heard in (rf"^Hora con más llamadas: {busy} a {busy + 1}, 5 llamadas, 2 perdidas",
                      rf"^{today:%d/%m/%Y}: 9 llamadas, 5 atendidas, 3 perdidas"):
            mark = self.orca.mark()
            self.desktop.keys("shift+Tab")
            self.orca.hear(heard, mark)

        # Each day opens on its first row, Orca says it from its start time.
        for keys, day, start in (("alt+Left", yesterday, "08:59:55"), ("alt+Left", earlier, "09:59:55"),
                                 ("alt+Right", yesterday, "08:59:55"), ("alt+Right", today, None)):
            mark = self.orca.mark()
            self.desktop.keys(keys)
            self.wait(lambda: self.desktop.title(window) == list_title(day), list_title(day))
            if start:
                self.orca.hear(rf"^{start}\.$", mark)

    def test_the_list_opened_while_a_name_is_typed_leaves_the_typing_where_it_was(self):
        console = self.console(dat=configuration())
        self.in_front(console)
        console.click_in_window(*SLOT_2_INDICATOR, button=3)
        self.desktop.type("Ab")
        console.click_in_window(*LLAMADAS_BUTTON)
        window = self.wait(lambda: self.desktop.window_titled(list_title(datetime.date.today())), "the call list")
        self.wait(lambda: self.desktop.viewable(window), "the call list shown")
        self.assertEqual(self.active_window(), console.window.id)
        self.desktop.type("c")
        self.desktop.keys("Return")
        self.desktop.keys("alt+s")  # Salir, under the list
        self.save_question(console)
        self.desktop.keys("Return")
        self.assertEqual(console.wait_exit(), 0)
        self.assertEqual(console.dat(), configuration(["", "Abc"]))  # the name typed whole


if __name__ == "__main__":
    unittest.main(verbosity=2)
