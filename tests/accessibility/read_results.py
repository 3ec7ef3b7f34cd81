#!/usr/bin/python3
"""Reads the phone directory over the accessibility bus as a screen reader does: finds the name
field by its label, goes there with Tab and types a search into it with real keys, and checks what the bus then tells:
the status bar's count, the results table's rows, column headers and the cells of the current
entry. Prints the first lines of the accessibility tree. Exits 0 when every check holds."""

import subprocess
import sys
import time

import pyatspi

DEADLINE = 30  # seconds for the program to appear and for the search to be told
TREE_LINES = 40

failures = []
shown = None  # the program, once found: its tree is shown when a wait fails


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


def wait_for(what, probe):
    """Asks the bus until probe answers something; the program runs on its own clock."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # the tree is still being built
            found = None
        if found:
            return found
        time.sleep(0.2)
    if shown is not None:
        print("\n".join(tree_lines(shown)))
    sys.exit(f"FAIL: {what} within {DEADLINE} s")


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def walk(accessible):
    yield accessible
    for child in children(accessible):
        yield from walk(child)


def labels(accessible):
    return [
        relation.getTarget(i).name
        for relation in accessible.getRelationSet()
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
        for i in range(relation.getNTargets())
    ]


def describe(accessible):
    text = f'{accessible.getRoleName()} "{accessible.name}"'
    if labels(accessible):
        text += " labelled by " + ", ".join(f'"{label}"' for label in labels(accessible))
    if accessible.description:
        text += f' description "{accessible.description}"'
    states = accessible.getState()
    for state, word in ((pyatspi.STATE_FOCUSED, "focused"), (pyatspi.STATE_SELECTED, "selected")):
        if states.contains(state):
            text += f" [{word}]"
    return text


def tree_lines(accessible, depth=0, lines=None):
    lines = [] if lines is None else lines
    if len(lines) >= TREE_LINES:
        return lines
    lines.append("  " * depth + describe(accessible))
    for child in children(accessible):
        tree_lines(child, depth + 1, lines)
    return lines


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in children(desktop) if app.name == "phonebook"), None)


def find(root, role, predicate=lambda accessible: True):
    return next(
        (a for a in walk(root) if a.getRole() == role and predicate(a)), None)


def status_text(bar):
    return " ".join(panel.name for panel in children(bar))


def main():
    global shown
    app = shown = wait_for("the program on the accessibility bus", find_app)
    name_field = wait_for(
        "the name field labelled \"Ф.И.О. или Организация\"",
        lambda: find(app, pyatspi.ROLE_COMBO_BOX,
                     lambda a: "Ф.И.О. или Организация" in labels(a)))
    for label in ("Телефон", "Улица"):
        if find(app, pyatspi.ROLE_COMBO_BOX, lambda a: label in labels(a)) is None:
            failures.append(f'no combo box labelled "{label}"')
    for label in ("Дом", "Квартира"):
        if find(app, pyatspi.ROLE_TEXT, lambda a: a.name == label) is None:
            failures.append(f'no text field named "{label}"')

    # A virtual display has no window manager to give the new window the keyboard, as a
    # desktop does; the window is given it directly.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class", "phonebook",
                    "windowfocus", "--sync"], check=True, timeout=DEADLINE)
    # The focus starts in the phone field; Tab goes on to the name field (Search is still off).
    wait_for("the focus in the phone field",
             lambda: find(app, pyatspi.ROLE_COMBO_BOX,
                          lambda a: a.getState().contains(pyatspi.STATE_FOCUSED)))
    subprocess.run(["xdotool", "key", "Tab"], check=True)
    wait_for("the focus in the name field",
             lambda: any(a.getState().contains(pyatspi.STATE_FOCUSED) for a in walk(name_field)))
    subprocess.run(["xdotool", "type", "--delay", "50", "иван"], check=True)
    subprocess.run(["xdotool", "key", "Return"], check=True)

    bar = wait_for("the status bar", lambda: find(app, pyatspi.ROLE_STATUS_BAR))
    wait_for('the count "Найдено: 3"', lambda: status_text(bar) == "Результат поиска: Найдено: 3")
    check("the status bar's name", bar.name, "Результат поиска: Найдено: 3")

    table_accessible = find(app, pyatspi.ROLE_TABLE)
    if table_accessible is None:
        sys.exit("FAIL: no table on the bus")
    check("the table's name", table_accessible.name, "Результаты поиска")
    table = table_accessible.queryTable()
    check("the row count", table.nRows, 3)
    check("the column count", table.nColumns, 3)
    check("the column headers", [table.getColumnHeader(c).name for c in range(table.nColumns)],
          ["Телефон", "Ф.И.О. или организация", "Адрес"])

    # The grid takes the focus as Shift+Tab gives it; its current cell is then focused.
    table_accessible.queryComponent().grabFocus()
    current = wait_for(
        "a focused cell in the results",
        lambda: next((table.getAccessibleAt(r, 0) for r in range(table.nRows)
                      if table.getAccessibleAt(r, 0).getState().contains(pyatspi.STATE_FOCUSED)),
                     None))
    row = table.getRowAtIndex(current.getIndexInParent())
    check("the current entry's row", row, 0)
    check("the current entry's cells", [table.getAccessibleAt(row, c).name for c in range(3)],
          ["2-34-56", "Иванов И.П.", "ЛЕНИНА 12-45"])
    check("the last entry's cells", [table.getAccessibleAt(2, c).name for c in range(3)],
          ["-23-45", "Иванов П.С.", "МИРА 5"])

    print(f"The accessibility tree after the search (first {TREE_LINES} lines):")
    for line in tree_lines(app):
        print(line)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
