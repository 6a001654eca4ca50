"""A screen reader on the desktop: atspi_client.py on the accessibility bus,
its JSON lines read as they come."""

import json
import os
import queue
import subprocess
import threading
import time

from desktop import end

ATSPI_CLIENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_client.py")


class ScreenReader:
    """atspi_client.py on the desktop, its JSON lines read as they come."""

    def __init__(self, desktop):
        self.process = subprocess.Popen(["/usr/bin/python3", ATSPI_CLIENT, "opr903"], env=desktop.env,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(json.loads(line))

    def close(self):
        self.process.stdin.close()  # its cue to end
        end(self.process, 10, terminate=False)
        self.reader.join(5)
        self.process.stdout.close()

    def hear(self, wanted, timeout):
        """The next line it says that fits `wanted`, or None after `timeout` seconds."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                said = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                return None
            if "error" in said:
                raise AssertionError("the screen reader's client: " + said["error"])
            if wanted(said):
                return said

    def next(self, wanted, what, timeout=15):
        said = self.hear(wanted, timeout)
        if said is None:
            raise AssertionError(f"the screen reader did not hear {what}")
        return said

    def elements(self):
        """Every named element of the console as it is now."""
        request = str(time.monotonic_ns())
        self.process.stdin.write(request.encode() + b"\n")
        self.process.stdin.flush()
        return self.next(lambda s: s.get("request") == request, "the elements")["elements"]

    def event(self, kind, name, detail=1):
        return self.next(lambda s: s.get("event") == kind and s.get("name") == name and s.get("detail") == detail,
                         f"{kind} of '{name}'")
