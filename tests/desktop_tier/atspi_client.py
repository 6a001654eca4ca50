"""A screen reader's view of an application over AT-SPI, as JSON lines on
standard output: first every named label, button and table cell of the
application named on the command line (name, description, role), then each
event a screen reader listens to as it arrives, and the elements again for
each line on standard input, with that line as its request. Ends when standard input closes."""

import json
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

EVENTS = ["object:property-change:accessible-description", "object:property-change:accessible-name",
          "object:state-changed:showing", "object:state-changed:focused"]


def say(**fields):
    print(json.dumps(fields, ensure_ascii=False), flush=True)


def find_application(name, tries=100):
    for _ in range(tries):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        GLib.usleep(50000)
    return None


def named(node):
    if node.get_role() in (Atspi.Role.LABEL, Atspi.Role.PUSH_BUTTON, Atspi.Role.TABLE_CELL) and node.get_name():
        yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from named(child)


def describe(node):
    return {"name": node.get_name(), "description": node.get_description(), "role": node.get_role_name()}


def on_event(event):
    say(event=event.type, detail=event.detail1, **describe(event.source))


def main():
    app = find_application(sys.argv[1])
    if app is None:
        say(error="application not found on the accessibility bus")
        return 1
    say(elements=[describe(node) for node in named(app)])
    listener = Atspi.EventListener.new(on_event)
    for event in EVENTS:
        listener.register(event)
    loop = GLib.MainLoop()

    def on_input(*args):
        request = sys.stdin.readline()
        if not request:
            loop.quit()
            return False
        say(elements=[describe(node) for node in named(app)], request=request.strip())
        return True
    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT,
                      GLib.IOCondition.IN | GLib.IOCondition.HUP, on_input)
    say(listening=True)
    loop.run()
    return 0


sys.exit(main())
