#!/usr/bin/env python3
"""Checks what a screen reader sees of the real game through AT-SPI.

Run inside a private D-Bus session and an X server, e.g.
    dbus-run-session -- xvfb-run -a python3 tests/a11y/atspi_check.py build/mironeka
Starts the game, waits for the introduction, then walks every window the
game shows through the introduction, the stage-select screen and garden 1,
and checks that every visible widget has a Japanese name and a role, with
the names the game gives its controls. Presses buttons through AT-SPI's own
actions, as a screen reader's user would. Prints the tree it saw.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITLE = "VELMORAKI　ミロネカ"
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


# The AT-SPI events the game sends, as a screen reader hears them:
# (event type, role of the source, its name).
heard = []


def hear(event):
    try:
        heard.append((event.type, event.source.getRoleName(), event.source.name, event.detail1))
    except Exception:  # the source went while the event travelled
        pass


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(predicate, what, seconds=20.0):
    end = time.time() + seconds
    while time.time() < end:
        pump()
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    fail("timed out waiting for " + what)
    return None


def game_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "mironeka":
            return app
    return None


def frames(app):
    out = []
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            out.append(child)
    return out


def children(node):
    # A child can go between the count and the fetch while windows are
    # being built: it comes back as None.
    found = (node.getChildAtIndex(i) for i in range(node.childCount))
    return [child for child in found if child is not None]


def everything(node):
    """Every node under `node`, depth first: the window's page, the grid's
    table and the cells in it."""
    out = []
    for child in children(node):
        out.append(child)
        out.extend(everything(child))
    return out


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def dump(frame):
    print("frame %r (%s)" % (frame.name, frame.getRoleName()))
    for child in everything(frame):
        if showing(child):
            print("   %-14s %r" % (child.getRoleName(), child.name))


def check_frame(frame, caption):
    dump(frame)
    if frame.getRole() != pyatspi.ROLE_FRAME:
        fail("window %r is a %s, not a frame" % (frame.name, frame.getRoleName()))
    if caption is not None and frame.name != caption:
        fail("frame named %r, expected %r" % (frame.name, caption))
    for child in everything(frame):
        if not showing(child):
            continue
        if not child.name.strip():
            fail("a nameless %s in %r" % (child.getRoleName(), frame.name))
        if child.getRole() in (pyatspi.ROLE_FILLER, pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_INVALID):
            fail("%r in %r has no real role (%s)" % (child.name, frame.name, child.getRoleName()))
        if child.name == "×":
            fail("a control named only '×' in %r" % frame.name)


def find(frame, name, role):
    for child in everything(frame):
        if child.name == name and child.getRole() == role:
            return child
    fail("no %s named %r in %r" % (pyatspi.Role(role) if False else role, name, frame.name))
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def frame_with(app, test, what):
    return wait_for(lambda: next((f for f in frames(app) if test(f)), None), what)


def main():
    binary = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    env.pop("QT_QPA_PLATFORM", None)
    pyatspi.Registry.registerEventListener(hear, "object:state-changed:showing")
    game = subprocess.Popen([binary], env=env)
    try:
        app = wait_for(game_app, "the game on the accessibility bus")
        if app is None:
            return 1
        intro = frame_with(app, lambda f: any(c.name == "OK" for c in everything(f)),
                           "the introduction")
        if intro is None:
            return 1
        check_frame(intro, TITLE)
        ok = find(intro, "OK", pyatspi.ROLE_PUSH_BUTTON)
        press(ok)

        stage = frame_with(app, lambda f: any(c.name == "庭①を開く" for c in everything(f)),
                           "the stage-select screen")
        if stage is None:
            return 1
        check_frame(stage, TITLE)
        find(stage, "ゲームを終了", pyatspi.ROLE_PUSH_BUTTON)
        find(stage, "現在の累計ポイント：0", pyatspi.ROLE_LABEL)
        press(find(stage, "庭①を開く", pyatspi.ROLE_PUSH_BUTTON))

        garden = frame_with(app, lambda f: any(c.name == "タイル1：砂地" for c in everything(f)),
                            "garden 1")
        if garden is None:
            return 1
        check_frame(garden, TITLE + "\u3000庭①")  # which garden, for the window list
        for name, role in [("あと7日", pyatspi.ROLE_LABEL), ("現在のポイント", pyatspi.ROLE_TEXT),
                           ("砂糖", pyatspi.ROLE_CHECK_BOX), ("砂地", pyatspi.ROLE_CHECK_BOX),
                           ("次の日へスキップ", pyatspi.ROLE_PUSH_BUTTON),
                           ("庭を閉じる", pyatspi.ROLE_PUSH_BUTTON)]:
            find(garden, name, role)
        sugar = find(garden, "砂糖", pyatspi.ROLE_CHECK_BOX)
        if sugar is not None and sugar.description != "砂糖を置きます。":
            fail("the sugar tool is described as %r" % sugar.description)
        # Sugar on tile 6, through AT-SPI's press action: its name follows.
        press(sugar)
        time.sleep(0.3)
        # The chosen tool is checked, and it alone.
        checked = [c.name for c in everything(garden)
                   if c.getState().contains(pyatspi.STATE_CHECKED)]
        if checked != ["砂糖"]:
            fail("checked tools after choosing sugar: %r" % checked)
        press(find(garden, "タイル6：砂地", pyatspi.ROLE_TABLE_CELL))
        wait_for(lambda: any(c.name == "タイル6：砂糖" for c in everything(garden)),
                 "tile 6 to be named for its sugar")
        # The tiles are the cells of a table of 4 rows and 4 columns.
        tables = [c for c in everything(garden) if c.getRole() == pyatspi.ROLE_TABLE]
        if len(tables) != 1:
            fail("%d tables in the garden, not 1" % len(tables))
        else:
            table = tables[0].queryTable()
            if (table.nRows, table.nColumns) != (4, 4):
                fail("the table has %d rows and %d columns" % (table.nRows, table.nColumns))
            cell = table.getAccessibleAt(1, 1)
            if cell is None or cell.name != "タイル6：砂糖":
                fail("row 2, column 2 of the table is %r" % (cell and cell.name))
            index = table.getIndexAt(1, 1)
            if (table.getRowAtIndex(index), table.getColumnAtIndex(index)) != (1, 1):
                fail("tile 6 lies at row %d, column %d" %
                     (table.getRowAtIndex(index), table.getColumnAtIndex(index)))
        # A second lump on tile 7, then a day: the outcome comes as one
        # notification, heard without the focus moving, after the last step.
        press(find(garden, "タイル7：砂地", pyatspi.ROLE_TABLE_CELL))
        wait_for(lambda: any(c.name == "タイル7：砂糖" for c in everything(garden)),
                 "tile 7 to be named for its sugar")
        press(find(garden, "次の日へスキップ", pyatspi.ROLE_PUSH_BUTTON))
        wait_for(lambda: any(role == "notification" and shown for _, role, _, shown in heard),
                 "the day's outcome")
        time.sleep(0.3)
        pump()
        said = [name for _, role, name, shown in heard if role == "notification" and shown]
        print("heard:", said)
        if said != ["1日目：黒アリが4か所に来ました。ポイントは4です。"]:
            fail("the day's outcome was heard as %r" % said)
        # A screen reader's edit of the read-only points box is refused, and
        # the box keeps showing the game's number.
        points = find(garden, "現在のポイント", pyatspi.ROLE_TEXT)
        if points is not None:
            try:
                points.queryEditableText().setTextContents("99999")
            except NotImplementedError:
                pass
            time.sleep(0.3)
            text = points.queryText()
            shown = text.getText(0, text.characterCount)
            if shown != "4":  # the day's points
                fail("the read-only points box shows %r after a screen reader's edit" % shown)
    finally:
        game.terminate()
        game.wait(timeout=10)
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
