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
