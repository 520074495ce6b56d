"""Reads the gallery's accessible tree over AT-SPI, as a screen reader does, and drives it.

    walk_gallery.py PID            the checks
    walk_gallery.py PID --dump     prints every page's accessible tree instead (for the docs)

Walks every page (chosen through the page tab list's "select" action) and checks roles, names, states
and values; moves the focus with Tab and waits for the focus events; presses a button through its
action; reads a cell of the report list; sets a numeric field through the value interface. Prints one
line per check and a closing "N passed, N failed"; exit 1 when a check failed.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

passed = 0
failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    return ok


def pump(seconds):
    """Lets the bus deliver events for a while."""
    ctx = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)


def wait_for(pred, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        try:
            if pred():
                return True
        except Exception:
            pass
        pump(0.05)
    return False


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(obj, depth=0, limit=400):
    """Every object below obj, tables not entered past their first cells."""
    out = [obj]
    if obj is None or depth > 20:
        return out
    role = obj.getRole()
    n = obj.childCount
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_CALENDAR, pyatspi.ROLE_LIST) and n > 60:
        n = 60
    for i in range(min(n, limit)):
        child = obj.getChildAtIndex(i)
        if child is not None:
            out.extend(walk(child, depth + 1, limit))
    return out


def states(obj):
    return obj.getState()


def showing_page(window):
    """The page panel of the gallery window that is shown now (inside the unnamed view that scrolls it)."""
    for child in window:
        if not states(child).contains(pyatspi.STATE_SHOWING):
            continue
        if child.getRole() == pyatspi.ROLE_PANEL and child.name:
            return child
        if child.getRole() in (pyatspi.ROLE_PANEL, pyatspi.ROLE_SCROLL_PANE, pyatspi.ROLE_FILLER) and not child.name:
            page = showing_page(child)
            if page is not None:
                return page
    return None


def by_role(objs, role):
    return [o for o in objs if o.getRole() == role]


def value_of(obj):
    v = obj.queryValue()
    return v.currentValue, v.minimumValue, v.maximumValue


# What each page must show, beyond the checks every object gets.
def bars_in_range(name, objs, role, what):
    """The page has bars of the role, and the first one's value lies within its range."""
    bars = by_role(objs, role)
    check(len(bars) > 0, "%s: %s" % (name, what))
    if bars:
        cur, lo, hi = value_of(bars[0])
        check(lo <= cur <= hi and hi > lo, "%s: value %g within %g..%g" % (name, cur, lo, hi))


def page_checks(name, objs):
    if name == "meter":
        bars_in_range(name, objs, pyatspi.ROLE_LEVEL_BAR, "level bars")
    elif name == "progress":
        bars_in_range(name, objs, pyatspi.ROLE_PROGRESS_BAR, "progress bars")
    elif name == "buttons":
        toggles = by_role(objs, pyatspi.ROLE_TOGGLE_BUTTON)
        check(len(toggles) > 0, "buttons: on/off buttons are toggle buttons")
        check(all(states(t).contains(pyatspi.STATE_CHECKABLE) for t in toggles), "buttons: toggles checkable")
        pushes = by_role(objs, pyatspi.ROLE_PUSH_BUTTON)
        check(any(p.name == "+" for p in pushes), "buttons: the repeat button '+' is a push button")
    elif name == "labels":
        labels = by_role(objs, pyatspi.ROLE_LABEL)
        texts = [l.queryText().getText(0, -1) for l in labels]
        check(any(t.strip() for t in texts), "labels: labels have text")
    elif name == "foldertree":
        trees = by_role(objs, pyatspi.ROLE_TREE)
        check(len(trees) > 0, "foldertree: a tree")
        items = by_role(objs, pyatspi.ROLE_TREE_ITEM)
        check(len(items) > 0 and all(i.name for i in items), "foldertree: named tree items")
        check(any(states(i).contains(pyatspi.STATE_EXPANDABLE) for i in items), "foldertree: expandable nodes")
    elif name == "replist":
        tables = by_role(objs, pyatspi.ROLE_TABLE)
        check(len(tables) > 0, "replist: a table")
        if tables:
            t = tables[0].queryTable()
            check(t.nRows > 0 and t.nColumns > 0, "replist: %d rows, %d columns" % (t.nRows, t.nColumns))
            cell = t.getAccessibleAt(0, 0)
            check(cell is not None and cell.getRole() == pyatspi.ROLE_TABLE_CELL and cell.name != "",
                  "replist: cell (0, 0) reads %r" % (cell.name if cell else None))
            check(t.getColumnDescription(0) != "", "replist: column header %r" % t.getColumnDescription(0))
    elif name == "minical":
        cals = by_role(objs, pyatspi.ROLE_CALENDAR)
        check(len(cals) > 0, "minical: a calendar")
        if cals:
            t = cals[0].queryTable()
            names = [t.getAccessibleAt(r, c).name for r in range(t.nRows) for c in range(t.nColumns)]
            check(sum(1 for n in names if n) >= 28, "minical: the month's days are named")
    elif name == "numio2":
        spins = by_role(objs, pyatspi.ROLE_SPIN_BUTTON)
        check(len(spins) > 0, "numio2: numeric fields are spin buttons")
        if spins:
            check(any(s.name == "Gain" for s in spins), "numio2: a field named by its left text")
    elif name == "marksel":
        lists = by_role(objs, pyatspi.ROLE_LIST)
        check(len(lists) > 0 and lists[0].childCount > 0, "marksel: a list of markers")
    elif name == "thumbnails":
        lists = by_role(objs, pyatspi.ROLE_LIST)
        check(len(lists) > 0 and lists[0].childCount > 0, "thumbnails: a list of slides")


def general_checks(name, objs):
    roles_ok = all(o.getRole() not in (pyatspi.ROLE_INVALID, pyatspi.ROLE_UNKNOWN) for o in objs)
    check(roles_ok, "%s: every object has a role" % name)
    operable = [o for o in objs if o.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON,
                                                   pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_COMBO_BOX,
                                                   pyatspi.ROLE_SLIDER)]
    unnamed = [o.getRoleName() for o in operable if not o.name]
    check(not unnamed, "%s: every button and field is named %s" % (name, unnamed if unnamed else ""))
    buttons = [o for o in operable if o.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON)]
    no_action = [o.name for o in buttons if o.queryAction().nActions < 1]
    check(not no_action, "%s: every button has an action %s" % (name, no_action if no_action else ""))
    ranged = [o for o in objs if o.getRole() in (pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_LEVEL_BAR,
                                                 pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON)]
    bad = []
    for o in ranged:
        cur, lo, hi = value_of(o)
        if hi < lo:
            bad.append(o.name)
    check(not bad, "%s: values have a range %s" % (name, bad if bad else ""))


def describe(obj):
    """One line: role, name, the telling states, value and text."""
    line = "%s %r" % (obj.getRoleName(), obj.name)
    st = states(obj)
    flags = [n for n, s in (("focusable", pyatspi.STATE_FOCUSABLE), ("checked", pyatspi.STATE_CHECKED),
                            ("expandable", pyatspi.STATE_EXPANDABLE), ("expanded", pyatspi.STATE_EXPANDED),
                            ("selected", pyatspi.STATE_SELECTED), ("editable", pyatspi.STATE_EDITABLE),
                            ("read-only", pyatspi.STATE_READ_ONLY)) if st.contains(s)]
    if not st.contains(pyatspi.STATE_ENABLED):
        flags.append("disabled")
    if flags:
        line += " [" + ", ".join(flags) + "]"
    try:
        v = obj.queryValue()
        line += " value %g (%g..%g)" % (v.currentValue, v.minimumValue, v.maximumValue)
    except NotImplementedError:
        pass
    try:
        t = obj.queryText().getText(0, -1)
        if t and t != obj.name:
            line += " text %r" % t
    except NotImplementedError:
        pass
    try:
        a = obj.queryAction()
        if a.nActions:
            line += " actions: " + ", ".join(a.getName(i) for i in range(a.nActions))
    except NotImplementedError:
        pass
    return line


def dump(obj, depth=0, shown=6):
    print("  " * depth + describe(obj))
    n = obj.childCount
    for i in range(min(n, shown)):
        dump(obj.getChildAtIndex(i), depth + 1, shown)
    if n > shown:
        print("  " * (depth + 1) + "... %d more" % (n - shown))


def main():
    pid = int(sys.argv[1])
    app = None
    end = time.time() + 20
    while app is None and time.time() < end:
        app = find_app(pid)
        if app is None:
            time.sleep(0.2)
    if not check(app is not None, "the gallery is on the accessibility bus"):
        return 1
    window = app.getChildAtIndex(0)
    check(window is not None and window.getRole() == pyatspi.ROLE_FRAME, "its window is a frame")
    check(window.name.startswith("joxwidgets gallery"), "the window is named %r" % window.name)
    tabs = [o for o in walk(window, limit=50) if o.getRole() == pyatspi.ROLE_PAGE_TAB_LIST]
    if not check(len(tabs) == 1, "a page tab list"):
        return 1
    tablist = tabs[0]
    pages = [tablist.getChildAtIndex(i) for i in range(tablist.childCount)]
    if "--dump" in sys.argv:
        for tab in pages:
            tab.queryAction().doAction(0)
            wait_for(lambda: states(tab).contains(pyatspi.STATE_SELECTED))
            print("## " + tab.name)
            dump(showing_page(window))
            print()
        return 0
    check(len(pages) >= 15, "%d pages" % len(pages))

    for tab in pages:
        name = tab.name
        tab.queryAction().doAction(0)
        if not check(wait_for(lambda: states(tab).contains(pyatspi.STATE_SELECTED)), "%s: page shown" % name):
            continue
        page = showing_page(window)
        if not check(page is not None and page.name == name, "%s: its panel is showing" % name):
            continue
        objs = walk(page)
        general_checks(name, objs)
        page_checks(name, objs)

    # A button pressed through its action: "+" steps the level beside it.
    buttons_tab = [t for t in pages if t.name == "buttons"][0]
    buttons_tab.queryAction().doAction(0)
    wait_for(lambda: states(buttons_tab).contains(pyatspi.STATE_SELECTED))
    objs = walk(showing_page(window))
    plus = [o for o in by_role(objs, pyatspi.ROLE_PUSH_BUTTON) if o.name == "+"][0]
    level = [o for o in by_role(objs, pyatspi.ROLE_LABEL) if o.name == "Level"][0]
    before = level.queryText().getText(0, -1)
    check(plus.queryAction().getName(0) == "press", "the button's action is 'press'")
    plus.queryAction().doAction(0)
    check(wait_for(lambda: level.queryText().getText(0, -1) != before),
          "pressing '+' by its action stepped the level from %r to %r" % (before, level.queryText().getText(0, -1)))
    toggles = by_role(objs, pyatspi.ROLE_TOGGLE_BUTTON)
    t = [o for o in toggles if states(o).contains(pyatspi.STATE_ENABLED)][0]
    was = states(t).contains(pyatspi.STATE_CHECKED)
    t.queryAction().doAction(0)
    check(wait_for(lambda: states(t).contains(pyatspi.STATE_CHECKED) != was), "toggling an on/off button flips it")

    # Focus moves with Tab, and the bus says so.
    focused = []
    listener = lambda e: focused.append(e.source) if e.detail1 else None
    pyatspi.Registry.registerEventListener(listener, "object:state-changed:focused")
    pump(0.3)
    subprocess.run(["xdotool", "search", "--name", "joxwidgets gallery", "windowfocus", "--sync"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(3):
        subprocess.run(["xdotool", "key", "Tab"])
        pump(0.3)
    wait_for(lambda: len(focused) >= 2, 3)
    check(len(focused) >= 2, "Tab moved the focus: %d focus events" % len(focused))
    if focused:
        last = focused[-1]
        check(states(last).contains(pyatspi.STATE_FOCUSED), "the last one (%s %r) is focused" %
              (last.getRoleName(), last.name))
    pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:focused")

    # A numeric field changed through the value interface.
    numio_tab = [t for t in pages if t.name == "numio2"][0]
    numio_tab.queryAction().doAction(0)
    wait_for(lambda: states(numio_tab).contains(pyatspi.STATE_SELECTED))
    objs = walk(showing_page(window))
    gain = [o for o in by_role(objs, pyatspi.ROLE_SPIN_BUTTON) if o.name == "Gain"][0]
    value = gain.queryValue()
    value.currentValue = 33.5
    check(wait_for(lambda: abs(gain.queryValue().currentValue - 33.5) < 1e-9),
          "Gain set to 33.5 through the value interface reads %r" % gain.queryValue().currentValue)
    check("33.5" in gain.queryText().getText(0, -1), "its text shows it: %r" % gain.queryText().getText(0, -1))
    lo = gain.queryValue().minimumValue
    value.currentValue = lo - 1000.0
    pump(0.3)
    check(abs(gain.queryValue().currentValue - 33.5) < 1e-9, "a value below the range is refused")

    print("%d passed, %d failed" % (passed, failed), flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
