#!/usr/bin/python3
"""Reads the phone directory over the accessibility bus as a screen reader does: finds the name
field by its label, goes there with Tab, types a search into it with real keys, and checks what
the bus then tells: the status bar's count, the results table's rows, column headers and the
cells of the current entry. Prints the first lines of the accessibility tree. Exits 0 when every
check holds, 3 when the program ended before it could be read.

Usage: read_results.py PROGRAM_PID"""

import subprocess
import sys
import time

import pyatspi

DEADLINE = 100  # seconds for the whole reading, every wait included
TYPING = 10  # seconds for typed keys to reach the field before they are typed again
TREE_LINES = 40
PROGRAM_ENDED = 3

end = time.monotonic() + DEADLINE

failures = []
shown = None  # the program, once found: its tree is shown when a wait fails


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


def remaining():
    return max(0.0, end - time.monotonic())


def program_running():
    """Whether the program is still running (not ended, and not a zombie left unreaped)."""
    try:
        with open(f"/proc/{sys.argv[1]}/stat", encoding="ascii") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def poll(probe, seconds):
    """Asks the bus until probe answers something or the seconds (at most those left) pass;
    the program runs on its own clock. None when nothing came."""
    until = time.monotonic() + min(seconds, remaining())
    while True:
        try:
            found = probe()
        except Exception:  # the tree is still being built
            found = None
        if found:
            return found
        if not program_running():
            print("The program ended before it was read.")
            sys.exit(PROGRAM_ENDED)
        if time.monotonic() >= until:
            return None
        time.sleep(0.2)


def wait_for(what, probe):
    found = poll(probe, remaining())
    if found:
        return found
    if shown is not None:
        print("\n".join(tree_lines(shown)))
    sys.exit(f"FAIL: {what} within {DEADLINE} s of the start")


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=max(1.0, remaining()))


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


def field_text(field):
    """The text of an editable combo box, from its line edit."""
    text = find(field, pyatspi.ROLE_TEXT).queryText()
    return text.getText(0, text.characterCount)


def type_into(field, search):
    """Types the search with real keys and waits until the field reads it (in capitals, as the
    name field shows what is typed). Keys typed on a virtual display can come out wrong (lost or
    in another layout); then the field is cleared and the search typed once more."""
    shows = search.upper()
    for _ in range(2):
        xdotool("type", "--delay", "50", search)
        if poll(lambda: field_text(field) == shows, TYPING):
            return
        print(f'typed "{search}", the field reads "{field_text(field)}": typing it again')
        xdotool("key", "ctrl+a", "BackSpace")
    wait_for(f'the name field to read "{shows}"', lambda: field_text(field) == shows)


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
    xdotool("search", "--sync", "--onlyvisible", "--class", "phonebook", "windowfocus", "--sync")
    # The focus starts in the phone field; Tab goes on to the name field (Search is still off).
    wait_for("the focus in the phone field",
             lambda: find(app, pyatspi.ROLE_COMBO_BOX,
                          lambda a: a.getState().contains(pyatspi.STATE_FOCUSED)))
    xdotool("key", "Tab")
    wait_for("the focus in the name field",
             lambda: any(a.getState().contains(pyatspi.STATE_FOCUSED) for a in walk(name_field)))
    type_into(name_field, "иван")
    xdotool("key", "Return")

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

    # The grid is given the focus through the bus, as a screen reader's command to go to it
    # does; its current cell is then focused.
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
