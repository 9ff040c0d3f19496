#!/usr/bin/python3
"""The add-in's dialogs as windows of a real office: installs plendrix.oxt
into a fresh profile, starts the office with its windows on an Xvfb display
and a Writer document, and opens every dialog through the extension
("vnd.plendrix:dialog/NAME", the chapter picker through the button of the
single import that opens it; the news window, which closes itself without
a network, must open none). For each window, on every tab page: no
control overlaps another, each stays inside the window and inside any frame
it overlaps, and no caption is cut (each button, check box, option and
one-line label is as wide as the office wants for its text). A picture of
each dialog is written to the screenshot folder as NAME.png; the window is
then closed with Escape, which unloads its dialog. Exits 77 (skipped)
without an office, Python's UNO bridge or Xvfb.

usage: dialog_windows.py PLENDRIX.oxt OFFICE_PROGRAM_DIR SCREENSHOT_DIR"""
import os
import subprocess
import sys
import time

from office_screen import WriterOnScreen, answer_boxes, box_of, capture, close_with_escape, controls, screen_missing
from office_session import SKIP, press
from oxt_common import SCHEME, check, report

# The news window needs the network, which the test's machine lacks.
OFFLINE = {"frmBrowse"}
DIALOGS = ["frmGraph", "frmConfig", "frmTJT", "frmBrowse", "frmFangSuo", "frmXuanZhuan", "frmInterval", "frmZDBX",
           "frmFangGe", "frmSector", "frmFenShu", "frmGenShi", "frmPaiLie", "frmFenJie", "frmSavePic", "frmDaTiBiao",
           "frmLWPB", "frmTiKu_PiLiangRuKu", "frmTiKu_DanTiRuKu", "frmTiKu_PaperInfo", "frmTiKu_PaperList",
           "frmTiKu_View", "frmTK", "frmShapeSelecter", "frmDot", "frmXDT", "frmWordBat", "frmJiSuan", "frmWeb",
           "frmCCCS", "frmConvertEquation", "frmKJLR"]


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def contains(outer, inner):
    return (outer[0] <= inner[0] and outer[1] <= inner[1] and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def check_geometry(what, dialog):
    from com.sun.star.accessibility.AccessibleRole import (CHECK_BOX, GROUP_BOX, LABEL, PUSH_BUTTON, RADIO_BUTTON,
                                                           TOGGLE_BUTTON)
    size = dialog.getPosSize()
    window = (0, 0, size.Width, size.Height)
    shown = controls(dialog)
    check(len(shown) > 0, f"{what}: the window shows no control")
    for _, role, name, box in shown:
        check(contains(window, box), f"{what}: “{name}” {box} leaves the window {window[2:]}")
    for i, (_, role_a, name_a, a) in enumerate(shown):
        for _, role_b, name_b, b in shown[i + 1:]:
            if not overlaps(a, b):
                continue
            if role_a == GROUP_BOX and contains(a, b) or role_b == GROUP_BOX and contains(b, a):
                continue
            check(False, f"{what}: “{name_a}” {a} and “{name_b}” {b} overlap")
    for child, role, name, box in shown:
        if role not in (LABEL, PUSH_BUTTON, TOGGLE_BUTTON, CHECK_BOX, RADIO_BUTTON) or not name:
            continue
        # A button's text with its least margins; a label's, check box's or
        # option's text with its mark.
        button = role in (PUSH_BUTTON, TOGGLE_BUTTON)
        wanted = child.getMinimumSize() if button else child.getPreferredSize()
        if role == LABEL and box[3] >= 2 * wanted.Height:
            continue  # a label of several lines wraps its text
        check(wanted.Width <= box[2] and (button or wanted.Height <= box[3] + 2),
              f"{what}: “{name}” is cut: {box[2]} × {box[3]} px for the {wanted.Width} × {wanted.Height} its text takes")
    return shown


def press_button(dialog, role, name):
    """Clicks the control of that role and name as a user would (its
    accessible action); False when the window has none."""
    for child, r, n, _ in controls(dialog):
        if r == role and n == name:
            child.AccessibleContext.doAccessibleAction(0)
            return True
    return False


def check_pages(what, dialog, windows):
    """Checks the window on each of its tab pages and comes back to the first."""
    from com.sun.star.accessibility.AccessibleRole import TOGGLE_BUTTON
    shown = check_geometry(what, dialog)
    tabs = [n for _, r, n, _ in shown if r == TOGGLE_BUTTON]
    pages = {}
    for tab in tabs:
        press_button(dialog, TOGGLE_BUTTON, tab)
        windows.settle()
        pages[tab] = {n for _, _, n, _ in check_geometry(f"{what} › {tab}", dialog)}
    if len(tabs) > 1:
        check(pages[tabs[0]] != pages[tabs[1]], f"{what}: choosing a tab shows the same controls")
        press_button(dialog, TOGGLE_BUTTON, tabs[0])
        windows.settle()


def dispatch_apart(pipe, url):
    """Dispatches the URL in the office's active window from a process of
    its own (Python's bridge holds its lock while a call waits, so a
    dispatch waiting for a message box would stop this process from
    answering it); prints the state and the result."""
    import uno
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    office = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
    desktop = office.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", office)
    helper = office.ServiceManager.createInstanceWithContext("com.sun.star.frame.DispatchHelper", office)
    state, result = press(helper, desktop.getCurrentFrame(), url)
    print(state, result, sep="\n", end="")


def open_dialog(screen, name, expect_window=True):
    """The window of the dialog opened by name; message boxes are answered."""
    windows = screen.windows
    before = windows.visible()
    running = subprocess.Popen([sys.executable, "-B", __file__, "--dispatch", screen.office.pipe,
                                SCHEME + "dialog/" + name], stdout=subprocess.PIPE, text=True)
    boxes = answer_boxes(screen.env, running)
    state, _, result = running.communicate()[0].partition("\n")
    if not check(state == "1", f"{name}: opening answered {state} {result!r} after {boxes} boxes"):
        return None
    if boxes:
        print(f"{name}: {boxes} message boxes answered on opening")
    windows.settle()
    opened = windows.new_since(before)
    if not expect_window:
        return opened[0] if opened else None
    if not check(len(opened) == 1, f"{name}: {len(opened)} new windows instead of one"):
        return None
    return opened[0]


def main():
    if sys.argv[1] == "--dispatch":
        dispatch_apart(*sys.argv[2:4])
        return 0
    oxt, office_dir, shots = sys.argv[1:4]
    names = sys.argv[4:] or DIALOGS
    missing = screen_missing(office_dir)
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    os.makedirs(shots, exist_ok=True)
    screen = WriterOnScreen(oxt, office_dir)
    windows = screen.windows
    try:
        for name in names:
            started = time.monotonic()
            if name in OFFLINE:
                # Without a network connection it closes itself on loading.
                check(open_dialog(screen, name, expect_window=False) is None,
                      f"{name} opened a window without a network connection")
                continue
            dialog = open_dialog(screen, name)
            print(f"{name}: opened in {time.monotonic() - started:.1f} s", flush=True)
            if dialog is None:
                continue
            check_pages(name, dialog, windows)
            capture(screen.work, os.path.join(shots, name + ".png"), box_of(dialog))
            if name == "frmTiKu_DanTiRuKu":
                # Its button opens the chapter and point picker in a window of its own.
                from com.sun.star.accessibility.AccessibleRole import PUSH_BUTTON
                before = windows.visible()
                check(press_button(dialog, PUSH_BUTTON, "选择知识点"), "the single import has no “选择知识点” button")
                windows.settle()
                picker = windows.new_since(before)
                if check(len(picker) == 1, f"the point button opened {len(picker)} windows"):
                    check_pages("frmTree", picker[0], windows)
                    capture(screen.work, os.path.join(shots, "frmTree.png"), box_of(picker[0]))
                    check(close_with_escape(screen.env, picker[0], windows.settle),
                          "frmTree: the window stayed open after Escape")
            check(close_with_escape(screen.env, dialog, windows.settle), f"{name}: the window stayed open after Escape")
        check(screen.office.process.poll() is None, "the office ended while its dialogs were open")
        print(f"{len(names)} dialogs opened")
    finally:
        screen.close()
    return report()


if __name__ == "__main__":
    sys.exit(main())
