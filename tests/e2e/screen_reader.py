"""Reads and drives a running program as a screen reader does: through the AT-SPI tree on the
accessibility bus, with pyatspi. Called by screen_reader.sh, which starts the buses and the program.

  screen_reader.py editor <layouts folder>   draws, names and saves a layout, opens and cancels the
                                             Open dialog, changes the layer
  screen_reader.py gallery                   every control mode of the gallery

Every object that can take the focus must have a name, every control that acts on a click must
offer an action, and no object may be a nameless filler. Exit code 0 passed, 1 failed.
"""

import os
import sys
import time

import pyatspi
from gi.repository import GLib

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAIL:", what)
    return condition


# Events arrive through GLib's main loop; they are collected while the script waits.
EVENTS = []


def record(event):
    EVENTS.append((event.type, event.source.name, event.detail1))


for kind in ("object:state-changed:checked", "object:property-change:accessible-value",
             "object:property-change:accessible-name", "focus:"):
    pyatspi.Registry.registerEventListener(record, kind)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_until(condition, seconds=10):
    """Waits (pumping events) until condition() holds; returns its last value."""
    deadline = time.time() + seconds
    while True:
        pump()
        try:
            value = condition()
        except Exception:  # an object that went away while looking at it
            value = None
        if value or time.time() > deadline:
            return value
        time.sleep(0.05)


def application(name):
    def find():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        return None
    app = wait_until(find, 20)
    if app is None:
        print("FAIL: no application", name, "on the accessibility bus")
        sys.exit(1)
    return app


def states(obj):
    return set(obj.getState().getStates())


def showing(obj):
    return pyatspi.STATE_SHOWING in states(obj)


def actions(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def do(obj, name):
    check(name in actions(obj), "%s '%s' offers %s" % (obj.getRoleName(), obj.name, name))
    action = obj.queryAction()
    action.doAction(actions(obj).index(name))


def find(root, role, name):
    found = pyatspi.findDescendant(root, lambda o: o is not None and o.getRoleName() == role and o.name == name)
    check(found is not None, "a %s named '%s'" % (role, name))
    return found


def window(app, role, name):
    return wait_until(lambda: next((w for w in app if w.getRoleName() == role and w.name == name and showing(w)),
                                   None))


ACTING_ROLES = {"push button", "toggle button", "check box", "link", "spin button", "table cell"}


def check_rules(root):
    """The rules every object of the tree keeps; table cells are checked on the first row only."""
    role = root.getRoleName()
    where = "%s '%s'" % (role, root.name)
    check(role != "filler", where + " is more than a filler")
    if pyatspi.STATE_FOCUSABLE in states(root):
        check(root.name != "", where + " can take the focus and has a name")
    if role in ACTING_ROLES:
        check(root.name != "", where + " has a name")
        check(actions(root), where + " offers an action")
    if role == "push button":
        check(pyatspi.STATE_FOCUSABLE not in states(root), where + " never takes the focus")
    children = list(root)
    if role == "table":
        children = children[:root.queryTable().nColumns]
    for child in children:
        if child is not None:
            check_rules(child)


def labelled_by(obj):
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return []


def announced(kind, name):
    return any(event[0] == kind and event[1] == name for event in EVENTS)


def editor(layouts):
    app = application("tilvaro-editor")
    frame = window(app, "frame", "Tilvaro - Layout Editor")
    if not check(frame is not None, "the editor window is a frame named by its caption"):
        return
    check_rules(frame)
    for name, label in (("Name", "Name:"), ("Autor", "Autor:"), ("Hintergrundbild", "Hintergrundbild:")):
        edit = find(frame, "text", name)
        check(edit is not None and labelled_by(edit) == [label], "the edit '%s' is labelled by '%s'" % (name, label))
    for name in ("Anzahl Ebenen ( 1..4 )", "3D - Farben"):
        find(frame, "scroll bar", name)
    for name in ("Neu", "Öffnen", "Speichern", "Stein hinzufügen", "Ausgewählten Stein löschen",
                 "Ausgewählten Stein umbenennen"):
        find(frame, "push button", name)
    for name in ("www.tilvaro.example", "layouts@tilvaro.example"):
        link = find(frame, "link", name)
        check(link is not None and "Press" in actions(link), "the link %s can be pressed" % name)

    # Draw: two tiles on layer 1; the odd count shows the warning in between.
    grid = find(frame, "table", "Ebene 1")
    table = grid.queryTable()
    check((table.nRows, table.nColumns) == (7, 14), "the grid is 7 rows by 14 columns")
    cell = table.getAccessibleAt(1, 2)
    check(cell.name == "Spalte 3, Reihe 2", "cells are named by their place, not '%s'" % cell.name)
    check(pyatspi.STATE_CHECKED not in states(cell), "an empty cell is not checked")
    warning = find(frame, "label", "Ungerade Anzahl Steine")
    do(cell, "Toggle")
    check(wait_until(lambda: pyatspi.STATE_CHECKED in states(cell)), "a toggled cell is checked")
    check(wait_until(lambda: showing(warning)), "one tile shows the odd-count warning")
    check(wait_until(lambda: announced("object:state-changed:checked", cell.name)), "the cell's change is announced")
    do(table.getAccessibleAt(0, 0), "Toggle")
    check(wait_until(lambda: not showing(warning)), "two tiles hide the warning")

    # The spinner changes the layer: the grid shows layer 2, empty, and is named after it.
    spinner = find(frame, "spin button", "Ebene")
    value = spinner.queryValue()
    check((value.minimumValue, value.maximumValue, value.currentValue) == (1, 4, 1), "the spinner holds 1 of 1..4")
    value.currentValue = 2
    check(wait_until(lambda: grid.name == "Ebene 2"), "the grid shows layer 2 after the spinner's change")
    check(wait_until(lambda: announced("object:property-change:accessible-value", "Ebene")),
          "the spinner's change is announced")
    check(pyatspi.STATE_CHECKED not in states(table.getAccessibleAt(1, 2)), "layer 2 is empty")
    do(spinner, "Decrease")
    check(wait_until(lambda: grid.name == "Ebene 1" and pyatspi.STATE_CHECKED in states(table.getAccessibleAt(1, 2))),
          "back on layer 1 the tile is there")

    # The current cell is the focused child of the focused grid.
    grid.queryComponent().grabFocus()
    check(wait_until(lambda: announced("focus:", "Spalte 1, Reihe 1")), "the focused grid announces its current cell")

    # Open asks in the dialog, whose edit is named by the prompt; Abbruch closes it.
    do(find(frame, "push button", "Öffnen"), "Press")
    dialog = window(app, "dialog", "Layout öffnen ...")
    if check(dialog is not None, "Öffnen opens the dialog named by its caption"):
        check_rules(dialog)
        edit = next((o for o in dialog if o.getRoleName() == "text"), None)
        check(edit is not None and edit.name.startswith("Bitte Dateiname") and labelled_by(edit) == [edit.name],
              "the dialog's edit is named and labelled by the prompt")
        do(find(dialog, "push button", "Abbruch"), "Press")
        check(wait_until(lambda: not showing(dialog)), "Abbruch closes the dialog")

    # Name the layout and save it through the dialog, as a screen reader user would.
    find(frame, "text", "Name").queryEditableText().setTextContents("Barrierefrei")
    do(find(frame, "push button", "Speichern"), "Press")
    dialog = window(app, "dialog", "Layout speichern ...")
    if check(dialog is not None, "Speichern opens the dialog"):
        edit = next(o for o in dialog if o.getRoleName() == "text")
        edit.queryEditableText().setTextContents("vorgelesen")
        do(find(dialog, "push button", "OK"), "Press")
        saved = os.path.join(layouts, "vorgelesen.set")
        check(wait_until(lambda: os.path.exists(saved)), "OK saves layouts/vorgelesen.set")


def gallery():
    app = application("tilvaro-gallery")
    frame = window(app, "frame", "Tilvaro - Steuerelemente")
    if not check(frame is not None, "the gallery window is a frame named by its caption"):
        return
    check_rules(frame)
    member = find(frame, "push button", "Zwei")
    do(member, "Toggle")
    check(wait_until(lambda: pyatspi.STATE_CHECKED in states(member)), "a group member latches and is checked")
    disabled = find(frame, "push button", "Gesperrt")
    check(pyatspi.STATE_SENSITIVE not in states(disabled), "a disabled button is unavailable")
    for name in ("Menü", "Kombiniert", "Immer"):
        check("ShowMenu" in actions(find(frame, "push button", name)), name + " opens its menu by an action")
    check(find(frame, "push button", "Übernehmen").queryAction().getKeyBinding(0).startswith("Alt+"),
          "the accelerator is the press action's key binding")


if __name__ == "__main__":
    if sys.argv[1] == "editor":
        editor(sys.argv[2])
    else:
        gallery()
    print("%d checks failed" % len(FAILURES) if FAILURES else "all checks passed")
    sys.exit(1 if FAILURES else 0)
