"""Reads the running program through the accessibility bus, as a screen reader does.

Usage: a11y.py COMMAND [ARGS]
  windows                 role and name of each top-level window, one a line
  labels WINDOW [PREFIX]  names of the showing labels in that window (starting so), one a line
  value NAME              current value of the object with that name
  focused                 role and name of the object that has the keyboard focus
  extents NAME [WINDOW [ROLE]]
                          x y width height of the showing object with that name (or labelled by
                          a label of that name; "*" for any name) on the screen, in that window
                          ("" for any) and of that role when given
  window-extents TITLE    x y width height of the window with that title on the screen
  cell-extents WINDOW ROW COLUMN  x y width height of that cell of the table in that window and
                          of the table itself, one a line
  at X Y                  role and name of the innermost object at that place of the screen
  press WINDOW NAME       starts the press action of the button with that name in that window,
                          without waiting for the program to finish it (a press that opens a
                          message finishes when the message closes); prints "BUS PATH INDEX"
  press-again BUS PATH INDEX  the same press on that object again, shown or not; waits until the
                          program has taken it (the button is down, its click about to come)
  pressed BUS PATH        exit 0 while that button is down
  text NAME               the text the object with that name shows
  description NAME        the description of the showing object with that name
  column WINDOW HEADER    the cells of the table column with that header in that window
  names WINDOW            role and name of everything shown in that window, one a line
Roles are AT-SPI role names ("frame", "label", "push button", ...). Exit 1 when nothing matches.
"""
import sys

import pyatspi


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "chronofex":
            return app
    sys.exit(1)


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


# What is shown, depth first; hidden windows and controls are not entered (each step is a call
# over the bus).
def walk(obj, depth=0):
    if obj is None or depth > 40 or (depth > 0 and not showing(obj)):
        return
    yield obj
    for i in range(obj.childCount):
        yield from walk(obj.getChildAtIndex(i), depth + 1)


def titled(window, title):
    """The window's title, or the title with the star of a window holding unsaved changes."""
    return window.name in (title, title + "*")


def find(predicate, scope=None):
    for obj in walk(scope if scope is not None else application()):
        if predicate(obj):
            return obj
    sys.exit(1)


def a11y_bus():
    """A connection of our own to the accessibility bus, for calls pyatspi makes only on objects
    that are shown, or only waiting for their answer."""
    from gi.repository import Gio, GLib
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1,
                                None).unpack()[0]
    return Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)


def do_action(bus_name, path, index, wait):
    from gi.repository import Gio, GLib
    bus = a11y_bus()
    if wait:
        bus.call_sync(bus_name, path, "org.a11y.atspi.Action", "DoAction",
                      GLib.Variant("(i)", (index,)), GLib.VariantType("(b)"),
                      Gio.DBusCallFlags.NONE, 10000, None)
    else:
        call = Gio.DBusMessage.new_method_call(bus_name, path, "org.a11y.atspi.Action", "DoAction")
        call.set_body(GLib.Variant("(i)", (index,)))
        call.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        bus.send_message(call, Gio.DBusSendMessageFlags.NONE)
        bus.flush_sync(None)
    bus.close_sync(None)


def is_pressed(bus_name, path):
    from gi.repository import Gio, GLib
    bus = a11y_bus()
    words = bus.call_sync(bus_name, path, "org.a11y.atspi.Accessible", "GetState", None,
                          GLib.VariantType("(au)"), Gio.DBusCallFlags.NONE, 10000,
                          None).unpack()[0]
    bit = int(pyatspi.STATE_PRESSED)
    return bool(words[bit // 32] & (1 << (bit % 32)))


def called(obj, name):
    """The object's name, or the name of a label it is labelled by (an editable combo box is
    named by its current text); "*" is any name."""
    if name in ("*", obj.name):
        return True
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            if any(relation.getTarget(i).name == name for i in range(relation.getNTargets())):
                return True
    return False


def window(title):
    # Windows are the application's own children: no need to walk what they hold.
    for top in application():
        if (top is not None and top.getRoleName() in ("frame", "dialog", "alert") and
                titled(top, title) and showing(top)):
            return top
    sys.exit(1)


def main(argv):
    command = argv[1]
    if command == "windows":
        for top in application():
            if top is not None:
                print(top.getRoleName(), top.name, sep="\t")
    elif command == "labels":
        prefix = argv[3] if len(argv) > 3 else ""
        names = [o.name for o in walk(window(argv[2]))
                 if o.getRoleName() == "label" and o.name.startswith(prefix) and showing(o)]
        if not names:
            sys.exit(1)
        print("\n".join(names))
    elif command == "value":
        obj = find(lambda o: o.name == argv[2])
        print(int(obj.queryValue().currentValue))
    elif command == "focused":
        obj = find(lambda o: o.getState().contains(pyatspi.STATE_FOCUSED))
        print(obj.getRoleName(), obj.name, sep="\t")
    elif command == "extents":
        # The same name can stand on several windows (Start on the panel and on the rate
        # window) and on a label beside its box.
        scope = window(argv[3]) if len(argv) > 3 and argv[3] else None
        role = argv[4] if len(argv) > 4 else None
        obj = find(lambda o: showing(o) and (role is None or o.getRoleName() == role) and
                   called(o, argv[2]), scope)
        e = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x, e.y, e.width, e.height)
    elif command == "window-extents":
        e = window(argv[2]).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x, e.y, e.width, e.height)
    elif command == "cell-extents":
        table = next((o for o in walk(window(argv[2])) if o.getRoleName() == "table"), None)
        if table is None:
            sys.exit(1)
        cell = table.queryTable().getAccessibleAt(int(argv[3]), int(argv[4]))
        if cell is None:
            sys.exit(1)
        for obj in (cell, table):
            e = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(e.x, e.y, e.width, e.height)
    elif command == "at":
        x, y = int(argv[2]), int(argv[3])
        for top in application():
            if top is None or not showing(top):
                continue
            place = top.queryComponent()
            if not place.contains(x, y, pyatspi.DESKTOP_COORDS):
                continue
            obj = place.getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
            # The bridge may answer with a direct child only: down to the innermost.
            while obj is not None and obj.childCount > 0:
                inner = obj.queryComponent().getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
                if inner is None or inner == obj:
                    break
                obj = inner
            if obj is not None:
                print(obj.getRoleName(), obj.name, sep="\t")
                return
        sys.exit(1)
    elif command == "press":
        button = next((o for o in walk(window(argv[2])) if o.name == argv[3] and showing(o)), None)
        if button is None:
            sys.exit(1)
        actions = button.queryAction()
        index = next(i for i in range(actions.nActions) if actions.getName(i) == "Press")
        do_action(button.app.bus_name, button.path, index, wait=False)
        print(button.app.bus_name, button.path, index)
    elif command == "press-again":
        do_action(argv[2], argv[3], int(argv[4]), wait=True)
    elif command == "pressed":
        sys.exit(0 if is_pressed(argv[2], argv[3]) else 1)
    elif command == "text":
        obj = find(lambda o: o.name == argv[2] and showing(o))
        print(obj.queryText().getText(0, -1))
    elif command == "description":
        print(find(lambda o: o.name == argv[2] and showing(o)).description)
    elif command == "column":
        table = next((o for o in walk(window(argv[2])) if o.getRoleName() == "table"), None)
        if table is None:
            sys.exit(1)
        cells = table.queryTable()
        columns = [c for c in range(cells.nColumns) if cells.getColumnDescription(c) == argv[3]]
        if not columns:
            sys.exit(1)
        for row in range(cells.nRows):
            print(cells.getAccessibleAt(row, columns[0]).name)
    elif command == "names":
        for obj in walk(window(argv[2])):
            print(obj.getRoleName(), obj.name, sep="\t")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
