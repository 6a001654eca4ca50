"""The host side of a StatusNotifierItem desktop, as its panel does it over
the session bus: the items the watcher has, their properties, and the
clicks (Activate, ContextMenu)."""

from gi.repository import Gio, GLib

ITEM = "org.kde.StatusNotifierItem"


class StatusNotifierHost:
    def __init__(self, desktop):
        self.bus = Gio.DBusConnection.new_for_address_sync(
            desktop.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def close(self):
        self.bus.close_sync(None)

    def _call(self, name, path, interface, method, arguments, reply="()"):
        return self.bus.call_sync(name, path, interface, method, arguments, GLib.VariantType(reply),
                                  Gio.DBusCallFlags.NONE, 5000, None).unpack()

    def items(self):
        """The services of the items the watcher has registered."""
        return self._call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties",
                          "Get", GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher",
                                                       "RegisteredStatusNotifierItems")), "(v)")[0]

    def item_of(self, pid):
        """The service of the item that process `pid` registered, or None."""
        for service in self.items():
            try:
                owner = self._call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "GetConnectionUnixProcessID", GLib.Variant("(s)", (self._address(service)[0],)),
                                   "(u)")[0]
            except GLib.Error:  # a console of an earlier test, gone
                continue
            if owner == pid:
                return service
        return None

    @staticmethod
    def _address(service):
        """A registered service as (bus name, object path)."""
        name, _, path = service.partition("/")
        return name, "/" + path if path else "/StatusNotifierItem"

    def properties(self, service):
        name, path = self._address(service)
        return self._call(name, path, "org.freedesktop.DBus.Properties", "GetAll", GLib.Variant("(s)", (ITEM,)),
                          "(a{sv})")[0]

    def activate(self, service, x=0, y=0):
        """A left click on the item."""
        self._call(*self._address(service), ITEM, "Activate", GLib.Variant("(ii)", (x, y)))

    def context_menu(self, service, x=0, y=0):
        """A right click on the item."""
        self._call(*self._address(service), ITEM, "ContextMenu", GLib.Variant("(ii)", (x, y)))
