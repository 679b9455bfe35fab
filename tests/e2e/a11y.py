#!/usr/bin/python3
"""Asks the accessibility bus what the program's windows show (the program
runs with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, see e2e_start_a11y):

  a11y.py rows    the item manager's tree rows, one a line: "X Y" of the
                  row's centre on the screen, a tab, the row's text
  a11y.py shown   the selected row's text, a tab, the text of the name box
                  of the properties panel
  a11y.py labels TITLE
                  the texts of the labels in the window of that title, one
                  a line
  a11y.py results TITLE
                  the names of the rows of the list "Results" in the window
                  of that title, one a line
  a11y.py text TITLE NAME
                  the text in the text box NAME of the window of that title
"""
import sys

import pyatspi


def manager_tree():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        tree = pyatspi.findDescendant(app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_TREE
                                      and a.name == "Items")
        if tree is not None:
            return tree
    sys.exit("no item tree on the accessibility bus")


def shown():
    tree = manager_tree()
    selected = [c.name for c in tree if c is not None and c.getRole() == pyatspi.ROLE_TABLE_CELL
                and c.getState().contains(pyatspi.STATE_SELECTED)]
    window = tree
    while window.parent is not None and window.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME):
        window = window.parent
    panel = pyatspi.findDescendant(window, lambda a: a is not None and a.name == "Properties"
                                   and a.getRole() != pyatspi.ROLE_LABEL)
    box = pyatspi.findDescendant(panel or window, lambda a: a is not None and a.name == "Item Text"
                                 and a.getRole() == pyatspi.ROLE_TEXT)
    if box is None:
        sys.exit("no name box on the accessibility bus")
    print("%s\t%s" % (",".join(selected), box.queryText().getText(0, -1)))


def window_named(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title:
                return window
    sys.exit("no window '%s' on the accessibility bus" % title)


def window_labels(title):
    return pyatspi.findAllDescendants(window_named(title), lambda a: a is not None
                                      and a.getRole() == pyatspi.ROLE_LABEL)


def results(title):
    found = pyatspi.findDescendant(window_named(title), lambda a: a is not None and a.name == "Results"
                                   and a.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE))
    if found is None:
        sys.exit("no list 'Results' in the window '%s'" % title)
    return [row.name for row in found if row is not None and row.getRole() in (
        pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL)]


def main():
    if sys.argv[1:] == ["shown"]:
        shown()
        return
    if sys.argv[1:2] == ["labels"] and len(sys.argv) == 3:
        for label in window_labels(sys.argv[2]):
            print(label.name)
        return
    if sys.argv[1:2] == ["text"] and len(sys.argv) == 4:
        box = pyatspi.findDescendant(window_named(sys.argv[2]), lambda a: a is not None and a.name == sys.argv[3]
                                     and a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))
        if box is None:
            sys.exit("no text box '%s' in the window '%s'" % (sys.argv[3], sys.argv[2]))
        print(box.queryText().getText(0, -1))
        return
    if sys.argv[1:2] == ["results"] and len(sys.argv) == 3:
        for name in results(sys.argv[2]):
            print(name)
        return
    if sys.argv[1:] != ["rows"]:
        sys.exit(__doc__)
    for cell in manager_tree():
        if cell is None or cell.getRole() != pyatspi.ROLE_TABLE_CELL:
            continue
        e = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print("%d %d\t%s" % (e.x + e.width // 2, e.y + e.height // 2, cell.name))


if __name__ == "__main__":
    main()
