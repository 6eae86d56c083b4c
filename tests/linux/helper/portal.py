#!/usr/bin/python3
"""A stand-in for the desktop's portal on the session bus (org.freedesktop.portal.Desktop with
GlobalShortcuts): prints "bound <id> <preferred trigger>" once a program binds a shortcut, and
sends Activated for it at each line "activate" on its input."""
import sys
import threading

import dbus
import dbus.lowlevel
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"


class Portal(dbus.service.Object):
    def __init__(self, bus):
        self.bus = bus
        self.bound = []  # (session, id)
        super().__init__(bus, PATH)

    def respond(self, sender, token, results):
        """Response on the request object the caller listens to, after the method's reply."""
        path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        signal.append(dbus.UInt32(0), dbus.Dictionary(results, signature="sv"),
                      signature="ua{sv}")
        GLib.idle_add(lambda: self.bus.send_message(signal) and False)
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                        options["session_handle_token"])
        return self.respond(sender, options["handle_token"], {"session_handle": session})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent, options, sender=None):
        for name, properties in shortcuts:
            self.bound.append((session, name))
            print("bound", name, properties.get("preferred_trigger", ""), flush=True)
        return self.respond(sender, options["handle_token"],
                            {"shortcuts": dbus.Array(shortcuts, signature="(sa{sv})")})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut, timestamp, options):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == SHORTCUTS and name == "version":
            return dbus.UInt32(1, variant_level=1)
        raise dbus.exceptions.DBusException("no such property",
                                            name="org.freedesktop.DBus.Error.UnknownProperty")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    bus.request_name(PORTAL)
    print("ready", flush=True)
    loop = GLib.MainLoop()

    def read_commands():
        for line in sys.stdin:
            if line.strip() == "activate":
                for session, name in portal.bound:
                    GLib.idle_add(lambda s=session, n=name: portal.Activated(
                        dbus.ObjectPath(s), n, dbus.UInt64(0), {}) and False)
        GLib.idle_add(loop.quit)

    threading.Thread(target=read_commands, daemon=True).start()
    loop.run()


if __name__ == "__main__":
    main()
