"""The window as an operator's desktop shows it: the icon's clicks and menu
on an XEmbed tray and on a StatusNotifierItem host, minimising, a desktop
with no notification area, the name boxes' font, and the panel's colours
and blinking read from the X server's pixels."""

import time
import unittest

from case import DesktopCase
from console import IDLE, WINDOW_SIZE, configuration, frame
from desktop import Desktop, wait_for
from sni_host import StatusNotifierHost
from test_alert import BusWatch

SLOT_2_INDICATOR = (103, 167)
NAME_BOX_2 = (70, 133, 67, 22)
# Centres of indicators: extension slots 1 and 2, lines 1 and 2.
EXT1, EXT2, LINE1, LINE2 = (33, 167), (103, 167), (52, 48), (115, 48)
RED, GREY, GREEN, BLUE, WHITE = (255, 0, 0), (192, 192, 192), (128, 255, 128), (128, 128, 255), (255, 255, 255)


SALIR_BUTTON = (490, 356)


class WindowCase(DesktopCase):
    def assert_normal(self, console):
        self.wait(console.shown, "the window on the screen")
        self.wait(console.in_taskbar, "the window in the taskbar")
        self.assertEqual(self.desktop.wm_state(console.window), 1)
        self.assertNotIn("_NET_WM_STATE_HIDDEN", self.desktop.net_wm_state(console.window))
        self.assertEqual(self.desktop.position(console.window)[2:], WINDOW_SIZE)

    def assert_gone(self, console):
        self.wait(lambda: not console.shown() and not console.in_taskbar(), "the window gone from screen and taskbar")

    def above(self, upper, lower):
        """Whether `upper` is stacked over `lower`; False until the window manager stacks both."""
        order = self.desktop.client_list(stacking=True)
        return upper.id in order and lower.id in order and order.index(upper.id) > order.index(lower.id)

    def behind_another_window(self, console):
        """Another program's window, stacked over the console and active: the console is behind it."""
        _, other = self.desktop.other_window()
        self.wait(lambda: self.above(other, console.window) and self.active_window() == other.id,
                  "the other window above and active")
        return other

    def click_title_bar(self, console, from_right):
        """A button of the window manager's title bar: 42 px from the right the minimise, 10 px the close box."""
        left, top, width, _ = self.desktop.position(console.window)
        self.desktop.click(left + width - from_right, top - 11)


class TrayAndWindow(WindowCase):
    def test_left_click_hides_the_console_in_front_and_brings_it_back_normal(self):
        console = self.console()
        self.in_front(console)
        console.click_icon()
        self.assert_gone(console)
        time.sleep(0.3)  # nothing brings it back by itself
        self.assertFalse(console.shown())
        console.click_icon()
        self.assert_normal(console)

    def test_left_click_raises_the_console_behind_another_window_without_keeping_it_on_top(self):
        console = self.console()
        other = self.behind_another_window(console)
        console.click_icon()
        self.wait(lambda: self.above(console.window, other), "the console raised")
        self.assertNotIn("_NET_WM_STATE_ABOVE", self.desktop.net_wm_state(console.window))
        self.desktop.click(*self.desktop.position(other)[:2])
        self.wait(lambda: self.above(other, console.window), "the other window on top")

    def test_the_title_bar_minimise_hides_and_the_menu_follows_the_state_at_its_last_close(self):
        console = self.console()
        two_entries = self.open_menu(console)  # "Mostrar" shows at start
        self.close_menu(console)
        one_entry = self.open_menu(console)  # closed while shown: only "Salir"
        self.assertLess(one_entry, two_entries)
        self.close_menu(console)
        self.click_title_bar(console, 42)
        self.assert_gone(console)
        self.assertEqual(self.open_menu(console), one_entry)  # as set when the last menu closed
        self.close_menu(console)
        self.assertEqual(self.open_menu(console), two_entries)
        menu, height = console.popup_menu()
        left, top, width, _ = self.desktop.position(menu)
        self.desktop.click(left + width // 2, top + height // 4)  # "Mostrar"
        self.assert_normal(console)

    def open_menu(self, console):
        console.click_icon(button=3)
        return self.wait(console.popup_menu, "the popup menu")[1]

    def close_menu(self, console):
        self.desktop.keys("Escape")
        self.wait(lambda: console.popup_menu() is None, "the popup menu closed")

    def test_delete_leaves_the_name_box_font_as_it_was(self):
        console = self.console()
        console.click_in_window(*SLOT_2_INDICATOR, button=3)
        self.desktop.type("abcdefghi")  # nine characters: 8 pt
        before = self.text_width(console)
        self.desktop.keys("Home", "Delete")  # a ninth character's width less, at the same size
        self.wait(lambda: self.text_width(console) < before, "the deleted character")
        self.assertGreater(self.text_width(console), before * 0.84)  # at 7 pt it would be about 0.78

    def text_width(self, console):
        """Columns of the name box holding dark (text) pixels."""
        x, y, width, height = NAME_BOX_2
        rows = self.desktop.screenshot(*console.client_point(x, y), width, height)
        return sum(1 for col in range(width) if any(sum(rows[row][col]) < 300 for row in range(height)))

    def test_the_panel_shows_each_state_in_its_colour_and_blinks_at_its_pace(self):
        console = self.console()
        console.report(frame(ext1=1, ext2=6, line1=6, line2=4))
        point = lambda xy: self.desktop.pixel(*console.client_point(*xy))
        self.wait(lambda: point(EXT1) == RED, "the busy extension in red")
        samples = {name: [] for name in ("ext1", "ext2", "line1", "line2")}
        end = time.monotonic() + 2.0
        while time.monotonic() < end:
            for name, xy in (("ext1", EXT1), ("ext2", EXT2), ("line1", LINE1), ("line2", LINE2)):
                samples[name].append(point(xy))
            time.sleep(0.02)
        self.assertEqual(set(samples["ext1"]), {RED})
        self.assertEqual(set(samples["ext2"]), {GREY})
        self.assertEqual(set(samples["line1"]), {GREEN, WHITE})
        self.assertEqual(set(samples["line2"]), {BLUE, WHITE})
        changes = lambda seq: sum(1 for a, b in zip(seq, seq[1:]) if a != b)
        self.assertIn(changes(samples["line1"]), range(3, 6))  # every 500 ms
        self.assertIn(changes(samples["line2"]), range(7, 10))  # every 250 ms


class StatusNotifierTray(WindowCase):
    """A notification area that speaks StatusNotifierItem over D-Bus, the test as its host."""
    tray = "sni"

    def test_the_item_follows_the_click_rule_offers_its_menu_and_shows_the_alert(self):
        console = self.console()
        host = StatusNotifierHost(self.desktop)
        self.addCleanup(host.close)
        item = self.wait(lambda: host.item_of(console.process.pid), "the console's item")
        self.assertEqual(host.properties(item)["ToolTip"][2], "Quindora R903 / V1.00")
        self.in_front(console)
        host.activate(item)  # in front: minimised
        self.assert_gone(console)
        host.context_menu(item)
        menu, height = self.wait(console.popup_menu, "the popup menu")
        left, top, width, _ = self.desktop.position(menu)
        self.desktop.click(left + width // 2, top + height // 4)  # "Mostrar"
        self.assert_normal(console)
        other = self.behind_another_window(console)
        host.activate(item)  # behind: to the front
        self.wait(lambda: self.above(console.window, other), "the console raised")

        normal = host.properties(item)["IconPixmap"]
        console.report(frame(line1=6))
        seen = set()
        self.wait(lambda: seen.add(str(host.properties(item)["IconPixmap"])) or len(seen) == 2, "the icon flashing")
        self.assertIn(str(normal), seen)
        console.report(IDLE)
        self.wait(lambda: host.properties(item)["IconPixmap"] == normal, "the normal icon back")


class AreaGoesAway(WindowCase):
    """The notification area quits while the console is hidden in it: the window comes back."""

    @classmethod
    def setUpClass(cls):
        pass

    @classmethod
    def tearDownClass(cls):
        pass

    def test_the_hidden_window_comes_back(self):
        for tray in ("xembed", "sni"):
            with self.subTest(tray=tray):
                self.desktop = Desktop(tray=tray)
                self.addCleanup(self.desktop.close)
                console = self.console()
                self.in_front(console)
                self.click_title_bar(console, 42)  # minimised into the area
                self.assert_gone(console)
                self.desktop.remove_area()
                self.assert_normal(console)


class NoNotificationArea(WindowCase):
    """A desktop with no notification area at all, as GNOME's by default."""
    tray = None

    def test_minimising_keeps_the_taskbar_entry_the_balloon_still_comes_and_the_ways_out_work(self):
        console = self.console(dat=configuration())
        self.in_front(console)
        self.click_title_bar(console, 42)
        self.wait(lambda: self.desktop.wm_state(console.window) == 3, "the window minimised")
        self.assertTrue(console.in_taskbar())
        bus = BusWatch(self.desktop)
        self.addCleanup(bus.close)
        console.report(frame(line1=6))
        self.wait(lambda: len(bus.notify_ids()) == 1, "the balloon")
        self.assertIn('string "Llamada pendiente"', bus.notifies()[0])
        console.report(IDLE)
        self.wait(lambda: bus.closes() == bus.notify_ids(), "the balloon withdrawn")
        self.desktop.xdotool("windowactivate", console.window.id)  # back from the taskbar
        self.assert_normal(console)
        def panel_drawn():  # openbox's animation done
            x, y = console.client_point(*LINE1)
            return 0 <= y < self.desktop.root.get_geometry().height and self.desktop.pixel(x, y) == GREEN
        self.wait(panel_drawn, "the panel drawn again")
        console.click_in_window(*SALIR_BUTTON)
        self.assertEqual(console.wait_exit(), 0)
        console = self.console(dat=configuration())
        self.click_title_bar(console, 10)  # the close box
        self.assertEqual(console.wait_exit(), 0)


class TrayWithoutWindowManager(DesktopCase):
    """No window manager: nothing else hides, shows or closes the window."""
    window_manager = False

    def test_left_click_on_the_active_console_hides_it_and_the_next_brings_it_back(self):
        console = self.console()
        # The console as the active window, as a window manager would record it.
        self.desktop.root.change_property(self.desktop.atom("_NET_ACTIVE_WINDOW"), self.desktop.atom("WINDOW"), 32,
                                          [console.window.id])
        self.desktop.x.sync()
        console.click_icon()
        self.wait(lambda: not console.shown(), "the window gone from the screen")
        console.click_icon()
        self.wait(console.shown, "the window back")
        self.assertEqual(self.desktop.position(console.window)[2:], WINDOW_SIZE)


if __name__ == "__main__":
    unittest.main(verbosity=2)
