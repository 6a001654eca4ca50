"""What Orca, the screen reader Debian ships, says about the console at its
default settings: each panel element with its state, the focused element's
changes, waiting calls, what a key could not do, the directory's rows and
the message boxes, checked on Orca's own words (its English role names
around our Spanish ones)."""

import unittest

from case import DesktopCase
from console import IDLE, configuration, frame

EXTENSION_13 = 0x03
# Places on the window, in pixels: AGENDA, VOLVER, the lower part of the directory's scroll bar.
AGENDA, VOLVER, PAGE_DOWN = (372, 358), (297, 368), (436, 300)
SLOT_2_INDICATOR = (103, 167)
DIGITS = r"marca [\d*#]+"


class ScreenReader(DesktopCase):
    screen_reader = True

    def test_the_panel_says_each_element_with_its_state_its_changes_and_what_a_key_could_not_do(self):
        console = self.console(dat=configuration(["Recepción", "Caja"]))
        self.in_front(console)
        orca = self.orca
        # From line 1 along the lines, then slots 1 and 2, hearing each before the next key.
        for element in [f"Línea {k}, Línea libre" for k in range(2, 7)] + ["Interno 11 Recepción, Interno libre", "Interno 12 Caja, Interno libre"]:
            mark = orca.mark()
            self.desktop.keys("Right")
            orca.hear(f"^{element} label", mark)

        mark = orca.mark()
        console.show(frame(ext2=1))
        orca.hear(r"^notification Interno 12 Caja, Interno ocupado", mark, timeout=1)
        console.show(frame(ext2=1, line3=6, line5=6))
        orca.hear(r"^notification Llamada pendiente: Línea 3, Línea 5\.$", mark)
        console.show(frame(ext2=1, line3=7, line5=6))  # line 3 handed back: the same call
        console.show(frame(ext2=1, line3=7, line5=6, line4=6))
        orca.hear(r"^notification Llamada pendiente: Línea 4\.$", mark)
        said = orca.utterances(mark)
        self.assertEqual([sum(what in u for u in said) for what in ("ocupado", "Línea 3")], [1, 1], said)

        mark = orca.mark()
        self.desktop.keys("1", "2", "Return", "9", "9", "Return", "1", "3", "Return")
        orca.hear(r"^notification No se puede llamar al interno 12: Interno ocupado", mark)
        orca.hear(r"^notification No existe el interno 99", mark)
        self.wait(lambda: EXTENSION_13 in console.sent_bytes(), "the call to extension 13")
        self.desktop.keys("Left")  # the call made from the keys left the focus on slot 2
        orca.hear(r"^Interno 11 Recepción, Interno libre label", mark)
        self.assertFalse([u for u in orca.utterances(mark) if "Salir" in u])

    def test_a_key_whose_command_finds_the_queue_full_is_said(self):
        # Polled every 5 s, the exchange takes at most one command while fourteen keys fill its ten places.
        console = self.console(sim_options=["--poll-ms", "5000"])
        mark = self.orca.mark()
        self.in_front(console)
        # As an operator would, type once the focused line's state is read (on
        # focus, or as it changes): a busy Orca drops what queues behind the
        # start's burst of new states.
        self.orca.hear(r"Línea 1, Línea libre", mark, timeout=30)
        mark = self.orca.mark()
        self.desktop.keys(*["F2"] * 14)
        self.orca.hear(r"^notification Cola de órdenes llena: orden no enviada", mark)

    def test_the_directory_reads_each_row_and_gives_the_focus_back(self):
        console = self.console()
        self.in_front(console)
        orca = self.orca
        mark = orca.mark()
        self.desktop.keys("Right")
        orca.hear(r"^Línea 2, Línea libre label", mark)
        for keys, heard in ((["F9"], r"^AGENDA R903 panel"), ([], rf"^Memoria 1, {DIGITS} text"),
                            (["Down"], rf"^Memoria 2, {DIGITS} text"),
                            (["c", "a", "j", "a", "Next"], r"^notification Memoria 14, "),  # the focus stays on row 2
                            (["Prior"], rf"^notification Memoria 2, {DIGITS}, caja\.$"),
                            (["Escape"], r"^Línea 2, Línea libre label")):
            with self.subTest(keys=keys):
                if keys:
                    mark = orca.mark()
                    self.desktop.keys(*keys)
                orca.hear(heard, mark)
        # Orca does not read what the mouse clicked, but where the focus goes then.
        console.click_in_window(*AGENDA)
        for place, heard in ((PAGE_DOWN, r"^Memoria 13, .* text"), (VOLVER, r"^AGENDA push button")):
            with self.subTest(click=place):
                mark = orca.mark()
                console.click_in_window(*place)
                orca.hear(heard, mark)

    def test_each_message_box_is_read_with_its_text(self):
        def save_question():
            console = self.console(dat=configuration())
            console.click_in_window(*SLOT_2_INDICATOR, button=3)
            self.desktop.type("Caja")
            mark = self.orca.mark()
            self.desktop.keys("Return")
            self.orca.hear(r"^Salir push button", mark)  # where the name box leaves the focus
            # Closed from the keyboard, through the window manager: after a click
            # Orca 43 may take the box that opens as the active window silently,
            # and then never read it.
            self.desktop.keys("alt+F4")
            return console

        def lost_journal():
            console = self.console(journal_blocked=True)
            console.show(frame(line2=6))
            console.show(IDLE)  # a missed call to file
            return console

        for name, make, texts in (
                ("save question", save_question, [r"Ha hecho cambios en la configuración"]),
                ("port failure", lambda: self.console(device="/dev/opr903-no-such-port"),
                 [r"Seleccione puerto correcto"]),
                ("network port failure", lambda: self.console(device="tcp://127.0.0.1:1"),
                 [r"Selección incorrecta Puerto 127\.0\.0\.1:1", r"Conexión rechazada"]),
                ("journal failure", lost_journal, [r"No se pueden guardar las llamadas"]),
                ("lost link", lambda: self.console(sim_options=["--silent-from", "polling:3"]),
                 [r"Se ha perdido conexión con R903"])):
            with self.subTest(name):
                mark = self.orca.mark()
                console = make()
                for text in texts:
                    self.orca.hear(text, mark, timeout=30)
                console.close()

    def test_calls_left_unwritten_at_the_exit_are_read_by_name(self):
        console = self.console(journal_blocked=True)
        mark = self.orca.mark()
        console.show(frame(line2=6))
        console.show(IDLE)  # a missed call on line 2, which cannot be filed
        self.orca.hear(r"No se pueden guardar las llamadas", mark, timeout=30)
        self.desktop.keys("Return")
        mark = self.orca.mark()
        console.terminate()
        self.orca.hear(r"No se pudieron guardar estas llamadas", mark, timeout=30)
        self.orca.hear(r"entrante, perdida", mark)
        self.desktop.keys("Return")
        self.assertEqual(console.wait_exit(), 0)
        console.close()

if __name__ == "__main__":
    unittest.main(verbosity=2)
