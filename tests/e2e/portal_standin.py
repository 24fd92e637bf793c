#!/usr/bin/python3
"""A stand-in for the desktop's global-shortcuts portal, for the tests and the benchmark.

Owns org.freedesktop.portal.Desktop on the session bus it is started on (a private one) and
offers org.freedesktop.portal.GlobalShortcuts at /org/freedesktop/portal/desktop: sessions,
BindShortcuts answered through org.freedesktop.portal.Request::Response, and the signals
Activated, Deactivated and ShortcutsChanged. What the program does is written to the log, one
line each:
    Register APP-ID
    probe                                                (the version property was asked)
    CreateSession SESSION-PATH SHORTCUT-COUNT
    ListShortcuts SESSION-PATH
    BindShortcuts SESSION-PATH
    bind SHORTCUT-ID PREFERRED-TRIGGER DESCRIPTION      (one line per shortcut asked for)
    Close SESSION-PATH
The test works it through org.chronofex.PortalStandIn at the same path:
    Activate(s id), Deactivate(s id), Press(s id) = both, ChangeTrigger(s id, s trigger)
send the signals for the newest open session.

Usage: portal_standin.py LOG [--refuse TRIGGER]... [--create-answer N] [--slow-probe SECONDS]
    --refuse: that trigger is left unbound; --create-answer: CreateSession's Response has that
    code (1 cancelled, 2 failed) instead of 0; --slow-probe: the version property is answered
    only after that many seconds.
"""
import argparse
import time

import dbus
import dbus.lowlevel
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
CONTROL = "org.chronofex.PortalStandIn"


class Session(dbus.service.Object):
    def __init__(self, portal, path):
        super().__init__(portal.connection, path)
        self.portal = portal
        self.path = path
        self.triggers = {}  # shortcut id -> trigger description
        self.open = True

    @dbus.service.method("org.freedesktop.portal.Session")
    def Close(self):
        self.open = False
        self.portal.record(f"Close {self.path}")
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, log, refused, create_answer=0, slow_probe=0.0):
        super().__init__(bus, PATH)
        self.log = open(log, "a", buffering=1)
        self.refused = set(refused)
        self.create_answer = create_answer
        self.slow_probe = slow_probe
        self.sessions = []

    def record(self, line):
        self.log.write(line + "\n")

    def respond(self, sender, token, results, code=0):
        """The answer of a request, sent after the method's own reply, as real portals do."""
        path = f"{PATH}/request/{sender[1:].replace('.', '_')}/{token}"

        def send():
            message = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request",
                                                  "Response")
            message.append(dbus.UInt32(code), dbus.Dictionary(results, signature="sv"),
                           signature="ua{sv}")
            self.connection.send_message(message)
            return False

        GLib.idle_add(send)
        return dbus.ObjectPath(path)

    def session(self):
        open_sessions = [s for s in self.sessions if s.open]
        return open_sessions[-1] if open_sessions else None

    @staticmethod
    def listed(triggers):
        return dbus.Array([dbus.Struct((sid, dbus.Dictionary({"trigger_description": t},
                                                             signature="sv")))
                           for sid, t in triggers.items()], signature="(sa{sv})")

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss",
                         out_signature="v", async_callbacks=("reply", "error"))
    def Get(self, interface, prop, reply, error):
        if interface == SHORTCUTS and prop == "version":
            self.record("probe")
            GLib.timeout_add(int(self.slow_probe * 1000),
                             lambda: reply(dbus.UInt32(1)) and False)
            return
        error(dbus.exceptions.DBusException("no such property",
                                            name="org.freedesktop.DBus.Error.UnknownProperty"))

    @dbus.service.method("org.freedesktop.host.portal.Registry", in_signature="sa{sv}")
    def Register(self, app_id, options):
        self.record(f"Register {app_id}")

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender):
        who = sender[1:].replace(".", "_")
        path = f"{PATH}/session/{who}/{options['session_handle_token']}"
        if any(s.path == path and s.open for s in self.sessions):
            raise dbus.exceptions.DBusException("session exists",
                                                name="org.freedesktop.portal.Error.Failed")
        self.record(f"CreateSession {path} {len(options.get('shortcuts', []))}")
        if self.create_answer != 0:
            return self.respond(sender, options["handle_token"], {}, self.create_answer)
        self.sessions.append(Session(self, path))
        return self.respond(sender, options["handle_token"], {"session_handle": path})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session_path, shortcuts, parent_window, options, sender):
        session = next(s for s in self.sessions if s.path == session_path)
        self.record(f"BindShortcuts {session_path}")
        for sid, props in shortcuts:
            trigger = str(props.get("preferred_trigger", ""))
            self.record(f"bind {sid} {trigger} {props.get('description', '')}")
            if trigger not in self.refused:
                session.triggers[str(sid)] = trigger
        return self.respond(sender, options["handle_token"],
                            {"shortcuts": self.listed(session.triggers)})

    @dbus.service.method(SHORTCUTS, in_signature="oa{sv}", out_signature="o",
                         sender_keyword="sender")
    def ListShortcuts(self, session_path, options, sender):
        session = next(s for s in self.sessions if s.path == session_path and s.open)
        self.record(f"ListShortcuts {session_path}")
        return self.respond(sender, options["handle_token"],
                            {"shortcuts": self.listed(session.triggers)})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Deactivated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(SHORTCUTS, signature="oa(sa{sv})")
    def ShortcutsChanged(self, session, shortcuts):
        pass

    def emit(self, signal, shortcut_id):
        session = self.session()
        if session:
            signal(dbus.ObjectPath(session.path), shortcut_id,
                   dbus.UInt64(int(time.monotonic() * 1000)), dbus.Dictionary({}, signature="sv"))

    @dbus.service.method(CONTROL, in_signature="s")
    def Activate(self, shortcut_id):
        self.emit(self.Activated, shortcut_id)

    @dbus.service.method(CONTROL, in_signature="s")
    def Deactivate(self, shortcut_id):
        self.emit(self.Deactivated, shortcut_id)

    @dbus.service.method(CONTROL, in_signature="s")
    def Press(self, shortcut_id):
        self.emit(self.Activated, shortcut_id)
        self.emit(self.Deactivated, shortcut_id)

    @dbus.service.method(CONTROL, in_signature="ss")
    def ChangeTrigger(self, shortcut_id, trigger):
        session = self.session()
        if session:
            session.triggers[str(shortcut_id)] = str(trigger)
            self.ShortcutsChanged(dbus.ObjectPath(session.path),
                                  self.listed({shortcut_id: trigger}))


def check_against_interface(log):
    """The stand-in's methods and signals have the signatures of the installed interface file,
    so that the program is tested against calls the real portal takes."""
    import xml.etree.ElementTree as ET
    path = "/usr/share/dbus-1/interfaces/org.freedesktop.portal.GlobalShortcuts.xml"
    try:
        tree = ET.parse(path)
    except OSError:
        return
    ours = {}
    for name in ("CreateSession", "BindShortcuts", "ListShortcuts", "Activated", "Deactivated",
                 "ShortcutsChanged"):
        member = getattr(Portal, name)
        ours[name] = (getattr(member, "_dbus_in_signature", None)
                      or getattr(member, "_dbus_signature", None) or "",
                      getattr(member, "_dbus_out_signature", None) or "")
    for element in tree.iter():
        if element.tag not in ("method", "signal") or element.get("name") not in ours:
            continue
        args = element.findall("arg")
        if element.tag == "method":
            sig = ("".join(a.get("type") for a in args if a.get("direction", "in") == "in"),
                   "".join(a.get("type") for a in args if a.get("direction") == "out"))
        else:
            sig = ("".join(a.get("type") for a in args), "")
        if sig != ours[element.get("name")]:
            with open(log, "a") as f:
                f.write(f"interface mismatch {element.get('name')}: {sig} "
                        f"{ours[element.get('name')]}\n")
            raise SystemExit(1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--refuse", action="append", default=[])
    parser.add_argument("--create-answer", type=int, default=0)
    parser.add_argument("--slow-probe", type=float, default=0.0)
    args = parser.parse_args()
    check_against_interface(args.log)
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus, args.log, args.refuse, args.create_answer, args.slow_probe)
    # The name last, so that whoever sees it finds everything in place.
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    portal.record("ready")
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    main()
