"""Debian's Orca as its own launcher starts it, but with its debug log
line-buffered (so what it says can be read while it runs) and without the
launcher's search for this user's other Orca instances, which would find
those of other desktops on the same machine.
Usage: run_orca.py DEBUG_FILE PREFS_DIR"""

import sys

from orca import debug

debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", encoding="utf-8", buffering=1)

from orca import orca  # noqa: E402

manager = orca.getSettingsManager()
manager.activate(sys.argv[2], {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
