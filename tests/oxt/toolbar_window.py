#!/usr/bin/python3
"""The extension's toolbars in a real Writer window of 1280 × 800 pixels
on an Xvfb display, as a teacher first sees them after installing
plendrix.oxt into a fresh profile: the Plendrix toolbars the extension
shows at first start are docked in rows under Writer's own two bars, in
full (no button pushed behind a bar's » button), none over another, and
Writer's own bars keep all their buttons; the others are listed (hidden)
for 视图 ▸ 工具栏. Then the wide toolbar is switched on as from that menu,
and comes in a row of its own. Pictures are written to the screenshot
folder: groups.png (the toolbars at first start), menu.png (the menu that
lists them) and wide.png (the wide toolbar with the group toolbars off).
Exits 77 (skipped) without an office, Python's UNO bridge or Xvfb.

usage: toolbar_window.py PLENDRIX.oxt OFFICE_PROGRAM_DIR SCREENSHOT_DIR"""
import os
import subprocess
import sys

from office_config import configuration
from office_screen import SCREEN, WriterOnScreen, capture, screen_missing
from office_session import SKIP
from oxt_common import check, report

STATES = "/org.openoffice.Office.UI.WriterWindowState/UIElements/States"
PREFIX = "private:resource/toolbar/addon_org.plendrix."
WRITER_BARS = ("private:resource/toolbar/standardbar", "private:resource/toolbar/textobjectbar")
WIDE = "Plendrix 全部按钮"
# The pictures show the menu, the toolbars, the ruler and the top of the page.
PICTURE_HEIGHT = 330


def plendrix_states(office):
    """{resource: (name, shown at first start)} of the extension's toolbars
    as the office merged them."""
    states = configuration(office, STATES)
    found = {}
    for resource in states.ElementNames:
        if resource.startswith(PREFIX):
            state = states.getByName(resource)
            found[resource] = (state.UIName, state.Visible)
    return found


class Bar:
    """A toolbar as Writer shows it: its place in the window, and the width
    all its buttons would take (what does not fit goes behind its »)."""

    def __init__(self, layout, resource):
        window = layout.getElement(resource).RealInterface
        r = window.getPosSize()
        self.box = (r.X, r.Y, r.Width, r.Height)
        self.wanted = window.getPreferredSize().Width

    def cut(self):
        return self.box[2] < self.wanted


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def check_shown(layout, states):
    """Checks the bars Writer shows against the ones meant to show; returns
    {name: Bar} of the Plendrix bars shown."""
    shown = {}
    for resource, (name, visible) in states.items():
        on = layout.isElementVisible(resource)
        check(on == visible, f"{name} is {'shown' if on else 'hidden'} at first start")
        if on:
            check(layout.isElementDocked(resource), f"{name} is not docked")
            shown[name] = Bar(layout, resource)
    writer = [Bar(layout, resource) for resource in WRITER_BARS if layout.isElementVisible(resource)]
    check(len(writer) == 2, "Writer does not show its standard and formatting bars")
    below = max((b.box[1] + b.box[3] for b in writer), default=0)
    for bar, name in zip(writer, ("the standard bar", "the formatting bar")):
        check(not bar.cut(), f"{name} is cut to {bar.box[2]} of its {bar.wanted} pixels")
    for name, bar in shown.items():
        x, y, width, _ = bar.box
        check(x >= 0 and x + width <= SCREEN[0], f"{name} at {bar.box} leaves the {SCREEN[0]}-pixel window")
        check(y >= below, f"{name} at {bar.box} is not under Writer's own bars")
        check(not bar.cut(), f"{name} is cut to {bar.box[2]} of its {bar.wanted} pixels")
    boxes = [(name, bar.box) for name, bar in shown.items()] + [(f"Writer's bar {b.box}", b.box) for b in writer]
    for i, (name_a, a) in enumerate(boxes):
        for name_b, b in boxes[i + 1:]:
            check(not overlaps(a, b), f"{name_a} {a} and {name_b} {b} overlap")
    return shown


def shown_windows(env):
    """The X windows mapped now, menus included (they have no name)."""
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--class", ""], env=env,
                          capture_output=True, text=True).stdout.split()


def picture_toolbar_menu(work, env, windows, file):
    """视图 ▸ 工具栏 opened from the keyboard (View is Alt+V, Toolbars its
    fourth entry), pictured and closed again."""
    before = shown_windows(env)
    if before:
        subprocess.run(["xdotool", "windowfocus", before[-1]], env=env, capture_output=True)
    subprocess.run(["xdotool", "key", "alt+v"], env=env, capture_output=True)
    windows.settle()
    subprocess.run(["xdotool", "key", "Down", "Down", "Down", "Right"], env=env, capture_output=True)
    windows.settle()
    opened = len(shown_windows(env)) - len(before)
    if check(opened == 2, f"the View menu and its Toolbars submenu did not open ({opened} new windows)"):
        capture(work, file)
    subprocess.run(["xdotool", "key", "Escape", "Escape"], env=env, capture_output=True)
    windows.settle()


def show_wide(screen, layout, by_name, shown, file):
    """视图 ▸ 工具栏 ▸ Plendrix 全部按钮, and the group toolbars off, as a
    teacher who prefers the one bar has it."""
    wide = by_name.get(WIDE)
    if not check(wide is not None, f"the office has no toolbar {WIDE}"):
        return
    layout.createElement(wide)
    layout.showElement(wide)
    screen.windows.settle()
    bar = Bar(layout, wide)
    check(bar.box[1] >= max((b.box[1] + b.box[3] for b in shown.values()), default=0),
          f"the wide toolbar at {bar.box} is not under the group toolbars")
    check(bar.box[0] + bar.box[2] <= SCREEN[0], f"the wide toolbar at {bar.box} leaves the window")
    check(not any(Bar(layout, by_name[name]).cut() for name in shown), "switching the wide toolbar on cut the group toolbars")
    print(f"the wide toolbar shows {bar.box[2]} of its {bar.wanted} pixels; the rest is behind its »")
    for name in shown:
        layout.hideElement(by_name[name])
    screen.windows.settle()
    capture(screen.work, file, (0, 0, SCREEN[0], PICTURE_HEIGHT))


def main():
    oxt, office_dir, shots = sys.argv[1:4]
    missing = screen_missing(office_dir)
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    os.makedirs(shots, exist_ok=True)
    screen = WriterOnScreen(oxt, office_dir)
    try:
        layout = screen.frame.LayoutManager
        states = plendrix_states(screen.office)
        by_name = {name: resource for resource, (name, _) in states.items()}
        check(len(states) > 21, f"the office knows {len(states)} Plendrix toolbars")
        shown = check_shown(layout, states)
        rows = sorted({bar.box[1] for bar in shown.values()})
        print(f"{len(shown)} of {len(states)} Plendrix toolbars shown at first start, in {len(rows)} rows: "
              + "; ".join(f"{name} {bar.box[2]} px" for name, bar in shown.items()))
        capture(screen.work, os.path.join(shots, "groups.png"), (0, 0, SCREEN[0], PICTURE_HEIGHT))
        picture_toolbar_menu(screen.work, screen.env, screen.windows, os.path.join(shots, "menu.png"))
        show_wide(screen, layout, by_name, shown, os.path.join(shots, "wide.png"))
        check(screen.office.process.poll() is None, "the office ended while its toolbars were shown")
    finally:
        screen.close()
    return report()


if __name__ == "__main__":
    sys.exit(main())
