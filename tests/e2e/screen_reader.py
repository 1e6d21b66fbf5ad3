"""Reads and drives the running editor as a screen reader does, through the AT-SPI tree with
pyatspi (see screen_reader.sh). Argument: the editor's layouts folder. Exit code 0 passed, 1 failed.
"""

import os
import sys
import time

import pyatspi
from gi.repository import GLib

FAILURES = []
EVENTS = []  # (kind, source name) of the announcements seen


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAIL:", what)
    return condition


def wait_until(condition, seconds=10):
    """Waits, taking in the announcements, until condition() holds; returns its last value."""
    deadline = time.time() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        try:
            value = condition()
        except Exception:  # an object that went away while being looked at
            value = None
        if value or time.time() > deadline:
            return value
        time.sleep(0.05)


def has(obj, state):
    return state in obj.getState().getStates()


def actions(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def do(obj, name):
    if check(name in actions(obj), "%s '%s' offers %s" % (obj.getRoleName(), obj.name, name)):
        obj.queryAction().doAction(actions(obj).index(name))


def find(root, role, name):
    found = pyatspi.findDescendant(root, lambda o: o is not None and o.getRoleName() == role and o.name == name)
    if not check(found is not None, "a %s named '%s'" % (role, name)):
        sys.exit(1)
    return found


def shown_window(app, role, name):
    return wait_until(lambda: next(w for w in app if w.getRoleName() == role and w.name == name
                                   and has(w, pyatspi.STATE_SHOWING)))


def check_rules(obj):
    """The rules every object keeps; of the grid's cells the first row stands for all."""
    role, where = obj.getRoleName(), "%s '%s'" % (obj.getRoleName(), obj.name)
    check(role != "filler", where + " is more than a nameless filler")
    if has(obj, pyatspi.STATE_FOCUSABLE) or role in ("push button", "link", "table cell"):
        check(obj.name != "", where + " has a name")
    if role in ("push button", "link", "check box", "spin button", "table cell"):
        check(actions(obj), where + " offers an action")
    if role == "push button":
        check(not has(obj, pyatspi.STATE_FOCUSABLE), where + " never takes the focus")
    children = list(obj)[:14] if role == "table" else list(obj)
    for child in children:
        check_rules(child)


def labelled_by(obj):
    return [r.getTarget(i).name for r in obj.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]


def announced(kind, name):
    return wait_until(lambda: (kind, name) in EVENTS)


def main(layouts):
    for kind in ("object:state-changed:checked", "object:property-change:accessible-value", "focus:"):
        pyatspi.Registry.registerEventListener(lambda e: EVENTS.append((e.type, e.source.name)), kind)
    app = wait_until(lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "tilvaro-editor"), 20)
    frame = app and shown_window(app, "frame", "Tilvaro - Layout Editor")
    if not check(frame is not None, "the editor window is a frame named by its caption"):
        return
    check_rules(frame)
    for name in ("Name", "Autor", "Hintergrundbild"):
        check(labelled_by(find(frame, "text", name)) == [name + ":"], "the edit %s is labelled by its label" % name)
    for role, names in (("scroll bar", ("Anzahl Ebenen ( 1..4 )", "3D - Farben")),
                        ("push button", ("Neu", "Öffnen", "Speichern", "Stein hinzufügen",
                                         "Ausgewählten Stein löschen", "Ausgewählten Stein umbenennen")),
                        ("link", ("www.tilvaro.example", "layouts@tilvaro.example"))):
        for name in names:
            find(frame, role, name)

    # Draw two tiles on layer 1; the odd count between them shows the warning.
    grid = find(frame, "table", "Ebene 1")
    table = grid.queryTable()
    check((table.nRows, table.nColumns) == (7, 14), "the grid is 7 rows by 14 columns")
    cell = table.getAccessibleAt(1, 2)
    check(cell.name == "Spalte 3, Reihe 2", "cells are named by their place, not '%s'" % cell.name)
    warning = find(frame, "label", "Ungerade Anzahl Steine")
    do(cell, "Toggle")
    check(wait_until(lambda: has(cell, pyatspi.STATE_CHECKED)), "a toggled cell is checked")
    check(announced("object:state-changed:checked", cell.name), "the cell's change is announced")
    check(wait_until(lambda: has(warning, pyatspi.STATE_SHOWING)), "one tile shows the odd-count warning")
    do(table.getAccessibleAt(0, 0), "Toggle")
    check(wait_until(lambda: not has(warning, pyatspi.STATE_SHOWING)), "two tiles hide the warning")

    # The spinner changes the layer; the grid is named after the layer it shows.
    spinner = find(frame, "spin button", "Ebene")
    value = spinner.queryValue()
    check((value.minimumValue, value.maximumValue, value.currentValue) == (1, 4, 1), "the spinner holds 1 of 1..4")
    value.currentValue = 2
    check(wait_until(lambda: grid.name == "Ebene 2"), "the spinner's value changes the layer")
    check(announced("object:property-change:accessible-value", "Ebene"), "the spinner's change is announced")
    check(not has(table.getAccessibleAt(1, 2), pyatspi.STATE_CHECKED), "layer 2 is empty")
    do(spinner, "Decrease")
    check(wait_until(lambda: grid.name == "Ebene 1" and has(table.getAccessibleAt(1, 2), pyatspi.STATE_CHECKED)),
          "back on layer 1 the tile is there")
    grid.queryComponent().grabFocus()
    check(announced("focus:", "Spalte 1, Reihe 1"), "the focused grid announces its current cell")

    # Öffnen asks in the dialog, whose edit is named and labelled by the prompt; Abbruch closes it.
    do(find(frame, "push button", "Öffnen"), "Press")
    dialog = shown_window(app, "dialog", "Layout öffnen ...")
    if check(dialog is not None, "Öffnen opens the dialog named by its caption"):
        check_rules(dialog)
        edit = next(o for o in dialog if o.getRoleName() == "text")
        check(edit.name.startswith("Bitte Dateiname") and labelled_by(edit) == [edit.name],
              "the dialog's edit is named and labelled by the prompt")
        do(find(dialog, "push button", "Abbruch"), "Press")
        check(wait_until(lambda: not has(dialog, pyatspi.STATE_SHOWING)), "Abbruch closes the dialog")

    # Name the layout and save it.
    find(frame, "text", "Name").queryEditableText().setTextContents("Barrierefrei")
    do(find(frame, "push button", "Speichern"), "Press")
    dialog = shown_window(app, "dialog", "Layout speichern ...")
    if check(dialog is not None, "Speichern opens the dialog"):
        next(o for o in dialog if o.getRoleName() == "text").queryEditableText().setTextContents("vorgelesen")
        do(find(dialog, "push button", "OK"), "Press")
        check(wait_until(lambda: os.path.exists(os.path.join(layouts, "vorgelesen.set"))), "OK saves the layout")


if __name__ == "__main__":
    main(sys.argv[1])
    print("%d checks failed" % len(FAILURES) if FAILURES else "all checks passed")
    sys.exit(1 if FAILURES else 0)
