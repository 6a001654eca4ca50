"""Orca, the screen reader Debian ships, on the desktop at its default
settings but with no speech server: it logs each utterance to its debug
file instead of playing it, and the tests read what it said."""

import json
import os
import re
import subprocess
import sys
import time

from desktop import end, wait_for

RUN_ORCA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "run_orca.py")
# An utterance as the log shows it, the voice it is spoken in after it; its
# further lines are indented under the log's time stamp.
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(?:\{|\n)", re.S)
CONTINUED = re.compile(r"\r?\n {18}")
# Orca's own settings file: everything at its defaults, but no speech server.
SETTINGS = {"general": {"speechServerFactory": ""}, "pronunciations": {}, "keybindings": {},
            "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}}}


class Orca:
    def __init__(self, desktop):
        prefs = os.path.join(desktop.folder, f"orca-{time.monotonic_ns()}")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            json.dump(SETTINGS, f)
        self.log_path = os.path.join(prefs, "debug.out")
        self._read_to, self._said = 0, []
        env = dict(desktop.env, LANG="C.UTF-8", LANGUAGE="")
        env.pop("NO_AT_BRIDGE", None)
        with open(os.path.join(prefs, "stderr.log"), "wb") as err:
            self.process = subprocess.Popen(["/usr/bin/python3", RUN_ORCA, self.log_path, prefs], env=env,
                                            stdin=subprocess.DEVNULL, stdout=err, stderr=subprocess.STDOUT)
        try:
            wait_for(lambda: "Screen reader on." in self.utterances(), 30, "Orca to start")
        except BaseException:
            self.close()
            raise

    def close(self):
        end(self.process, 10)

    def utterances(self, after=0):
        """Everything Orca said, in order, from utterance `after` on."""
        if os.path.exists(self.log_path):
            with open(self.log_path, "rb") as f:
                f.seek(self._read_to)
                new = f.read()
            whole = new[:new.rfind(b"\n") + 1]  # each entry is written whole, with its line end
            self._read_to += len(whole)
            text = whole.decode("utf-8", errors="replace")
            self._said += [CONTINUED.sub(" ", m.group(1)) for m in UTTERANCE.finditer(text)]
        return self._said[after:]

    def mark(self):
        """A place in what Orca said: utterances after it are new."""
        return len(self.utterances())

    def hear(self, pattern, after, timeout=10):
        """The first utterance since `after` that matches `pattern`."""
        expression = re.compile(pattern)

        def found():
            return next((u for u in self.utterances(after) if expression.search(u)), None)
        try:
            return wait_for(found, timeout, f"Orca saying /{pattern}/")
        except AssertionError:
            raise AssertionError(f"Orca did not say /{pattern}/; it said {self.utterances(after)}") from None
