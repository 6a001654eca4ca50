"""The built console and the simulated exchange on a pseudo-terminal, run on
a Desktop and observed from outside: its windows, its tray icon, the bytes
on the wire, its trace, its files, its exit."""

import csv
import datetime
import os
import re
import signal
import subprocess
import time

from desktop import end, wait_for

OPR903 = os.environ.get("OPR903", "build/opr903")
R903_SIM = os.environ.get("R903_SIM", "build/r903-sim")
SANITIZER_REPORT = re.compile(rb"ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer|Segmentation fault")

# What the exchange reports: 19 extension slots, then 6 lines; slot 19 is the console's own extension.
IDLE = [0] * 18 + [0x80] + [0] * 6
WINDOW_SIZE = (592, 396)
# Two presses closer than this are a double click to the toolkit (400 ms), whatever came between.
DOUBLE_CLICK_S = 0.6


def frame(**changes):
    """A status frame: idle but for changes like ext3=2 (slot 3) or line1=6."""
    status = list(IDLE)
    for name, code in changes.items():
        index = int(name[3:]) - 1 if name.startswith("ext") else 18 + int(name[4:])
        status[index] = code
    return status


def configuration(names=()):
    """The bytes of an OPR903.DAT with port 1, the given extension names and no notes."""
    records = ['"R93OPR"', '"1"'] + [f'"{n}"' for n in names] + ['""'] * (18 - len(names)) + ['""'] * 74
    return "".join(r + "\r\n" for r in records).encode("cp1252")


def day_row(ended, origin, kind, waited, outcome):
    """A call's row in a day file, as the console writes it."""
    started = ended - datetime.timedelta(seconds=waited)
    return f"{started:%Y-%m-%d %H:%M:%S},{origin},,{kind},{waited},{outcome},{ended:%Y-%m-%d %H:%M:%S}\r\n"


class Console:
    def __init__(self, desktop, dat=None, traffic=False, device=None, sim_options=(), journal_blocked=False,
                 day_files=None):
        """A console on the simulator's line, or on `device` instead (then nothing waits for the link);
        `journal_blocked`: the folder of the call journal's day files cannot be made; `day_files`: {date: rows}
        written as its day files before it starts."""
        self.desktop = desktop
        self.folder = os.path.join(desktop.folder, f"console-{time.monotonic_ns()}")
        os.makedirs(self.folder)
        self.dat_path = os.path.join(self.folder, "OPR903.DAT")
        if dat is not None:
            with open(self.dat_path, "wb") as f:
                f.write(dat)
        self.trace_path = os.path.join(self.folder, "trace.txt")
        self.wire_path = os.path.join(self.folder, "wire.txt")
        sim = [R903_SIM, "--pty", "--fast", "--control", "--record", self.wire_path, *sim_options]
        if not traffic:
            sim.append("--no-traffic")
        with open(os.path.join(self.folder, "sim.log"), "wb") as log:
            self.sim = subprocess.Popen(sim, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log)
        self.device = self.sim.stdout.readline().decode().strip()
        if not self.device:
            raise AssertionError("the simulator did not start")
        self.stderr_path = os.path.join(self.folder, "console.log")
        self.data_folder = os.path.join(self.folder, "data")
        if journal_blocked:
            os.makedirs(os.path.join(self.data_folder, "opr903"))
            open(os.path.join(self.data_folder, "opr903", "llamadas"), "w").close()  # a file where the folder goes
        for day, text in (day_files or {}).items():
            self.write_day_file(day, text)
        with open(self.stderr_path, "wb") as log:
            self.process = subprocess.Popen([os.path.abspath(OPR903), "--device", device or self.device, "--trace",
                                             self.trace_path], cwd=self.folder,
                                            env=dict(desktop.env, XDG_DATA_HOME=self.data_folder),
                                            stdout=subprocess.DEVNULL, stderr=log)
        try:
            self.window = wait_for(self._find_window, 20, "the console's window")
            self.icon = None
            if desktop.tray == "xembed":
                self.icon = wait_for(self._find_icon, 10, "the console's icon in the notification area")
            self.last_icon_click = 0.0
            if device is None:
                self.wait_trace(r" tx 8e$", 20)  # polled: the link is up
        except BaseException:
            self.close()
            raise

    def close(self):
        """Ends the console as the session's end does, so it lets go of its line and lock file."""
        for process in (self.process, self.sim):
            end(process, 10)
        self.sim.stdin.close()
        self.sim.stdout.close()

    # --- finding it on the X server -------------------------------------------------

    def _ours(self):
        return [w for w in self.desktop.windows() if self.desktop.window_class(w) == "opr903"]

    def _find_window(self):
        for window in self._ours():
            pid = self.desktop.property(window, "_NET_WM_PID")
            if pid is not None and pid[0] == self.process.pid and "R903" in self.desktop.title(window):
                return window
        return None

    def _find_icon(self):
        """Our window embedded in the notification area: its parent is not the root."""
        for window in self._ours():
            if window.id == self.window.id or not self.desktop.viewable(window):
                continue
            x, y, width, height = self.desktop.position(window)
            if width <= 64 and height <= 64:
                return window
        return None

    def click_icon(self, button=1):
        """A single click on the icon: apart enough from the last one not to make a double click of it."""
        time.sleep(max(0.0, self.last_icon_click + DOUBLE_CLICK_S - time.monotonic()))
        x, y, width, height = self.desktop.position(self.icon)
        self.desktop.click(x + width // 2, y + height // 2, button)
        self.last_icon_click = time.monotonic()

    def icon_present(self):
        return self.icon is not None and any(w.id == self.icon.id and self.desktop.viewable(w) for w in self._ours())

    def client_point(self, x, y):
        """A point of the window's client area, in pixels, on the screen."""
        left, top, _, _ = self.desktop.position(self.window)
        return left + x, top + y

    def click_in_window(self, x, y, button=1):
        self.desktop.click(*self.client_point(x, y), button)

    def shown(self):
        return self.desktop.viewable(self.window)

    def in_taskbar(self):
        return self.window.id in self.desktop.client_list()

    def popup_menu(self):
        """Our popup menu while it is open: (window, height)."""
        for window in self._ours():
            if window.id in (self.window.id, self.icon and self.icon.id) or not self.desktop.viewable(window):
                continue
            attributes = window.get_attributes()
            if attributes.override_redirect:
                return window, self.desktop.position(window)[3]
        return None

    # --- the exchange, the trace, the file ------------------------------------------

    def report(self, status):
        """The exchange reports this frame from its next poll on."""
        self.sim.stdin.write(("frame " + "".join(f"{b:02x}" for b in status) + "\n").encode())
        self.sim.stdin.flush()

    def show(self, status):
        """The exchange reports `status`; back once the console has read it."""
        after = len(self.trace())
        self.report(status)
        self.wait_trace(" rx " + " ".join(f"{b:02x}" for b in status) + "$", after=after)

    def trace(self):
        with open(self.trace_path, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()

    def wait_trace(self, pattern, timeout=10, after=0):
        """The first trace line from index `after` on that matches; returns (index, ms)."""
        expression = re.compile(pattern)

        def found():
            for index, line in enumerate(self.trace()[after:], after):
                if expression.search(line):
                    return index, int(line.split()[0])
            return None
        return wait_for(found, timeout, f"'{pattern}' in the trace")

    def sent_bytes(self):
        """Every byte the console sent to the exchange, in order."""
        with open(self.wire_path) as f:
            return [int(line.split()[1], 16) for line in f if line.strip()]

    def day_file(self, day):
        return os.path.join(self.data_folder, "opr903", "llamadas", f"{day}.csv")

    def write_day_file(self, day, text):
        os.makedirs(os.path.dirname(self.day_file(day)), exist_ok=True)
        with open(self.day_file(day), "w", encoding="utf-8", newline="") as f:
            f.write("inicio,origen,nombre,tipo,espera_s,resultado,fin\r\n" + text)

    def day_rows(self, day):
        """The rows of a day file, its header left out."""
        if not os.path.exists(self.day_file(day)):
            return []
        with open(self.day_file(day), newline="", encoding="utf-8") as f:
            return list(csv.reader(f))[1:]

    def dat(self):
        if not os.path.exists(self.dat_path):
            return None
        with open(self.dat_path, "rb") as f:
            return f.read()

    def terminate(self):
        self.process.send_signal(signal.SIGTERM)

    def wait_exit(self, timeout=15):
        """The exit status; fails on a crash or a sanitizer report."""
        try:
            status = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the console did not end")
        with open(self.stderr_path, "rb") as f:
            errors = f.read()
        if SANITIZER_REPORT.search(errors) or status < 0:
            raise AssertionError(f"the console ended with {status} and reported:\n"
                                 + errors.decode(errors="replace")[-4000:])
        return status

    def port_released(self):
        """No process but the simulator holds the console's side of the line, and no lock is left."""
        for pid in filter(str.isdigit, os.listdir("/proc")):
            if int(pid) == self.sim.pid:
                continue
            try:
                fds = os.listdir(f"/proc/{pid}/fd")
            except OSError:
                continue
            for fd in fds:
                try:
                    if os.readlink(f"/proc/{pid}/fd/{fd}") == self.device:
                        return False
                except OSError:
                    pass
        lock = "LCK.." + self.device.replace("/dev/", "").replace("/", "_")
        return not any(os.path.exists(os.path.join(d, lock)) for d in ("/var/lock", "/run/lock", "/tmp"))
