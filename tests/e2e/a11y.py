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


def window_labels(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title:
                return pyatspi.findAllDescendants(window, lambda a: a is not None
                                                  and a.getRole() == pyatspi.ROLE_LABEL)
    sys.exit("no window '%s' on the accessibility bus" % title)


def main():
    if sys.argv[1:] == ["shown"]:
        shown()
        return
    if sys.argv[1:2] == ["labels"] and len(sys.argv) == 3:
        for label in window_labels(sys.argv[2]):
            print(label.name)
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
