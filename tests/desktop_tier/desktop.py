"""A private X11 desktop for the console: Xvfb, a window manager, a
notification area (an XEmbed tray, a StatusNotifierItem watcher with its
host, or none), a notification service on a private session bus and a sound
server with a null sink. Every service is started here, waited for, and
ended by its process id; a missing tool fails the test."""

import os
import shutil
import subprocess
import tempfile
import time

from Xlib import X, Xatom, display

TOOLS = ["Xvfb", "openbox", "trayer", "dbus-daemon", "dbus-monitor", "pulseaudio", "pactl", "pacat", "parec",
         "xdotool", "xmessage", "orca"]
NOTIFICATION_DAEMON = "/usr/lib/notification-daemon/notification-daemon"
SNI_WATCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sni_watcher.py")


def wait_for(condition, timeout, what):
    """Polls condition() until it returns something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.02)


def end(process, timeout, terminate=True):
    """Ends a process, asked (SIGTERM) unless told otherwise, killed if it is still there after timeout seconds."""
    if terminate and process.poll() is None:
        process.terminate()
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Desktop:
    def __init__(self, window_manager=True, tray="xembed"):
        """tray: "xembed" (trayer), "sni" (a StatusNotifierWatcher with a host) or None."""
        for tool in TOOLS + [NOTIFICATION_DAEMON]:
            if not shutil.which(tool):
                raise AssertionError(f"the desktop tier needs {tool}; scripts/install-deps.sh installs it")
        self.folder = tempfile.mkdtemp(prefix="opr903-desktop-")
        self.processes = []
        self.env = dict(os.environ)
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "SESSION_MANAGER"):
            self.env.pop(name, None)
        runtime = os.path.join(self.folder, "run")
        os.makedirs(runtime, mode=0o700)
        self.env.update(HOME=self.folder, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=self.folder + "/config",
                        XDG_DATA_HOME=self.folder + "/data", NO_AT_BRIDGE="1")
        try:
            self._start_x()
            self._start_bus()
            if window_manager:
                self._start("openbox", ["openbox", "--sm-disable"])
                wait_for(lambda: self.root_property("_NET_SUPPORTING_WM_CHECK"), 10, "openbox")
            self.tray = tray
            self.area = None
            if tray == "xembed":
                self.area = self._start("trayer", ["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                                                   "request", "--height", "24", "--SetDockType", "true",
                                                   "--transparent", "false"])
                selection = self.x.intern_atom("_NET_SYSTEM_TRAY_S0")
                wait_for(lambda: self.x.get_selection_owner(selection) != X.NONE, 10, "the notification area")
            elif tray == "sni":
                self.area = self._start("watcher", ["/usr/bin/python3", SNI_WATCHER])
                wait_for(lambda: self.bus_has("org.kde.StatusNotifierWatcher"), 10, "the notification area")
            self._start("notifications", [NOTIFICATION_DAEMON])
            wait_for(lambda: self.bus_has("org.freedesktop.Notifications"), 10, "the notification service")
            self._start_sound()
        except BaseException:
            self.close()
            raise

    # --- services -------------------------------------------------------------

    def _start(self, name, argv, **kwargs):
        with open(os.path.join(self.folder, name + ".log"), "wb") as log:
            process = subprocess.Popen(argv, env=self.env, stdout=log, stderr=subprocess.STDOUT,
                                       stdin=subprocess.DEVNULL, **kwargs)
        self.processes.append(process)
        return process

    def _start_x(self):
        read_end, write_end = os.pipe()
        self._start("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=[write_end])
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise AssertionError("Xvfb did not start: " + self.log("xvfb"))
        self.env["DISPLAY"] = ":" + number
        self.x = display.Display(self.env["DISPLAY"])
        self.root = self.x.screen().root

    def _start_bus(self):
        address = "unix:path=" + os.path.join(self.folder, "bus")
        self._start("bus", ["dbus-daemon", "--session", "--nofork", "--address=" + address])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        wait_for(lambda: os.path.exists(os.path.join(self.folder, "bus")), 10, "the session bus")
        wait_for(lambda: self.bus_has("org.freedesktop.DBus"), 10, "the session bus")

    def _start_sound(self):
        socket = os.path.join(self.folder, "pulse.sock")
        self._start("pulseaudio", ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                   "--use-pid-file=no", "--disable-shm=yes", "-L",
                                   "module-null-sink sink_name=null rate=44100",
                                   "-L", f"module-native-protocol-unix socket={socket} auth-anonymous=1"])
        self.env["PULSE_SERVER"] = "unix:" + socket
        wait_for(lambda: self.run(["pactl", "info"], check=False).returncode == 0, 15, "the sound server")
        self.run(["pactl", "set-default-sink", "null"])
        # A silent stream keeps the null sink running, so what its monitor records keeps the wall clock's time.
        self._start("silence", ["pacat", "--raw", "--format=s16le", "--rate=44100", "--channels=1", "/dev/zero"])

    def remove_area(self):
        """The notification area goes away, as when the desktop's panel quits."""
        end(self.area, 5)

    def bus_has(self, name):
        reply = self.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                          "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
                         check=False)
        return reply.returncode == 0 and "boolean true" in reply.stdout

    def run(self, argv, check=True):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, check=check, timeout=30)

    def log(self, name):
        with open(os.path.join(self.folder, name + ".log"), "rb") as f:
            return f.read().decode(errors="replace")

    def close(self):
        if getattr(self, "x", None):
            self.x.close()
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
        for process in reversed(self.processes):
            end(process, 5)
        shutil.rmtree(self.folder, ignore_errors=True)

    # --- the X server, read from outside -----------------------------------------

    def atom(self, name):
        return self.x.intern_atom(name)

    def property(self, window, name, kind=X.AnyPropertyType):
        try:
            reply = window.get_full_property(self.atom(name), kind)
        except Exception:  # the window went away
            return None
        return reply.value if reply else None

    def root_property(self, name):
        return self.property(self.root, name)

    def client_list(self, stacking=False):
        value = self.root_property("_NET_CLIENT_LIST_STACKING" if stacking else "_NET_CLIENT_LIST")
        return list(value) if value is not None else []

    def net_wm_state(self, window):
        value = self.property(window, "_NET_WM_STATE", Xatom.ATOM)
        return {self.x.get_atom_name(a) for a in value} if value is not None else set()

    def wm_state(self, window):
        """ICCCM WM_STATE: 1 normal, 3 iconic, None when withdrawn or never managed."""
        value = self.property(window, "WM_STATE")
        return value[0] if value is not None and len(value) else None

    def viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except Exception:
            return False

    def windows(self, parent=None):
        """Every window under parent, depth first."""
        parent = parent or self.root
        found = []
        try:
            children = parent.query_tree().children
        except Exception:
            return found
        for child in children:
            found.append(child)
            found.extend(self.windows(child))
        return found

    def window_class(self, window):
        try:
            value = window.get_wm_class()
        except Exception:
            return None
        return value[1] if value else None

    def position(self, window):
        """Top-left corner on the screen and size."""
        geometry = window.get_geometry()
        corner = window.translate_coords(self.root, 0, 0)
        return -corner.x, -corner.y, geometry.width, geometry.height

    def pixel(self, x, y):
        """The colour shown on the screen at (x, y), as (r, g, b)."""
        image = self.root.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        b, g, r = image.data[0], image.data[1], image.data[2]
        return r, g, b

    def screenshot(self, x, y, width, height):
        """Rows of (r, g, b) of a screen area."""
        data = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        return [[(data[(row * width + col) * 4 + 2], data[(row * width + col) * 4 + 1],
                  data[(row * width + col) * 4]) for col in range(width)] for row in range(height)]

    # --- the operator's hands ---------------------------------------------------

    def xdotool(self, *args):
        self.run(["xdotool", *[str(a) for a in args]])

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y)
        wait_for(lambda: self.pointer() == (x, y), 5, "the pointer")
        self.xdotool("click", button)

    def pointer(self):
        reply = self.root.query_pointer()
        return reply.root_x, reply.root_y

    def keys(self, *names):
        self.xdotool("key", "--delay", 30, *names)

    def type(self, text):
        self.xdotool("type", "--delay", 30, text)

    def other_window(self, title="otra ventana", geometry="700x500+100+80"):
        """A plain window of another program, in front of whatever is there."""
        process = self._start("xmessage-" + str(len(self.processes)),
                              ["xmessage", "-title", title, "-geometry", geometry, "Otra ventana"])
        window = wait_for(lambda: self.window_titled(title), 10, "the other window")
        return process, window

    def title(self, window):
        name = self.property(window, "_NET_WM_NAME") or self.property(window, "WM_NAME") or b""
        return name.decode(errors="replace") if isinstance(name, bytes) else name

    def window_titled(self, title):
        for window in self.client_list():
            win = self.x.create_resource_object("window", window)
            if self.title(win) == title:
                return win
        return None
