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
import re
import shutil
import subprocess
import sys
import tempfile
import time

from office_session import SKIP, Office, install, office_missing, press
from oxt_common import SCHEME, check, report
from screen_capture import read_xwd, write_png

# The news window needs the network, which the test's machine lacks.
OFFLINE = {"frmBrowse"}
DIALOGS = ["frmGraph", "frmConfig", "frmTJT", "frmBrowse", "frmFangSuo", "frmXuanZhuan", "frmInterval", "frmZDBX",
           "frmFangGe", "frmSector", "frmFenShu", "frmGenShi", "frmPaiLie", "frmFenJie", "frmSavePic", "frmDaTiBiao",
           "frmLWPB", "frmTiKu_PiLiangRuKu", "frmTiKu_DanTiRuKu", "frmTiKu_PaperInfo", "frmTiKu_PaperList",
           "frmTiKu_View", "frmTK", "frmShapeSelecter", "frmDot", "frmXDT", "frmWordBat", "frmJiSuan", "frmWeb",
           "frmCCCS", "frmConvertEquation", "frmKJLR"]
SCREEN = (1280, 800)


def start_xvfb(work):
    """Xvfb on a free display, its frame buffer in a file under `work`."""
    read, write = os.pipe()
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                                "-fbdir", work, "-nolisten", "tcp"], pass_fds=(write,),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    if not number:
        process.kill()
        sys.exit("Xvfb did not start")
    return process, f":{number}"


class Windows:
    """The office's top windows as the toolkit lists them."""

    def __init__(self, office):
        self.toolkit = office.service("com.sun.star.awt.Toolkit")

    def settle(self):
        """Lets the office handle what is pending, painting included."""
        self.toolkit.processEventsToIdle()
        time.sleep(0.05)
        self.toolkit.processEventsToIdle()

    def visible(self):
        found = []
        for i in range(self.toolkit.getTopWindowCount()):
            window = self.toolkit.getTopWindow(i)
            if window.isVisible() and hasattr(window, "getTitle"):
                found.append(window)
        return found

    def new_since(self, before):
        return [w for w in self.visible() if not any(w == b for b in before)]


def role_of(window):
    try:
        return window.AccessibleContext.AccessibleRole
    except Exception:
        return -1


def name_of(window):
    try:
        return window.AccessibleContext.AccessibleName
    except Exception:
        return "?"


def controls(dialog):
    """(window, role, name, rectangle) of each control shown."""
    shown = []
    for child in dialog.getWindows():
        if child.isVisible():
            r = child.getPosSize()
            shown.append((child, role_of(child), name_of(child), (r.X, r.Y, r.Width, r.Height)))
    return shown


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


def capture(work, dialog, file):
    r = dialog.getPosSize()
    width, height, rows = read_xwd(os.path.join(work, "Xvfb_screen0"))
    x, y = max(0, r.X), max(0, r.Y)
    write_png(file, rows, x, y, min(r.Width, width - x), min(r.Height, height - y))


def close_with_escape(display, dialog, settle, what):
    """Escape in the window, as a teacher closes it; checks it went."""
    title = dialog.getTitle()
    ids = subprocess.run(["xdotool", "search", "--name", f"^{re.escape(title)}$"], capture_output=True, text=True,
                         env=dict(os.environ, DISPLAY=display)).stdout.split()
    for wid in ids:
        subprocess.run(["xdotool", "windowfocus", wid], env=dict(os.environ, DISPLAY=display), capture_output=True)
    settle()
    subprocess.run(["xdotool", "key", "Escape"], env=dict(os.environ, DISPLAY=display), capture_output=True)
    settle()
    check(not dialog.isVisible(), f"{what}: the window stayed open after Escape")


def answer_boxes(display, running):
    """Presses Escape while `running` (a process dispatching a command)
    waits: for a message box the command showed, which has the focus.
    Returns how many boxes were answered so."""
    boxes = 0
    while boxes < 20:
        try:
            running.wait(1)
            break
        except subprocess.TimeoutExpired:
            # The office is in the box's own loop; the box is the window
            # mapped last. Without a window manager it is given the focus.
            env = dict(os.environ, DISPLAY=display)
            shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], env=env,
                                   capture_output=True, text=True).stdout.split()
            if shown:
                subprocess.run(["xdotool", "windowfocus", shown[-1]], env=env, capture_output=True)
            subprocess.run(["xdotool", "key", "Escape"], env=env, capture_output=True)
            boxes += 1
    if running.poll() is None:
        running.kill()  # a box that would not close: the command is left waiting
    return boxes


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


def open_dialog(display, office, windows, name, expect_window=True):
    """The window of the dialog opened by name; message boxes are answered."""
    before = windows.visible()
    running = subprocess.Popen([sys.executable, "-B", __file__, "--dispatch", office.pipe, SCHEME + "dialog/" + name],
                               stdout=subprocess.PIPE, text=True)
    boxes = answer_boxes(display, running)
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
    missing = office_missing(office_dir) or (None if shutil.which("Xvfb") and shutil.which("xdotool")
                                             else "no Xvfb or xdotool")
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    os.makedirs(shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="plendrix-windows-")
    xvfb, office = None, None
    try:
        xvfb, display = start_xvfb(work)
        profile, _ = install(office_dir, oxt, work)
        office = Office(office_dir, profile, work, display)
        office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        windows = Windows(office)
        # The pointer out of the pictures, in the screen's corner.
        subprocess.run(["xdotool", "mousemove", str(SCREEN[0] - 1), str(SCREEN[1] - 1)],
                       env=dict(os.environ, DISPLAY=display), capture_output=True)
        for name in names:
            started = time.monotonic()
            if name in OFFLINE:
                # Without a network connection it closes itself on loading.
                check(open_dialog(display, office, windows, name, expect_window=False) is None,
                      f"{name} opened a window without a network connection")
                continue
            dialog = open_dialog(display, office, windows, name)
            print(f"{name}: opened in {time.monotonic() - started:.1f} s", flush=True)
            if dialog is None:
                continue
            check_pages(name, dialog, windows)
            capture(work, dialog, os.path.join(shots, name + ".png"))
            if name == "frmTiKu_DanTiRuKu":
                # Its button opens the chapter and point picker in a window of its own.
                from com.sun.star.accessibility.AccessibleRole import PUSH_BUTTON
                before = windows.visible()
                check(press_button(dialog, PUSH_BUTTON, "选择知识点"), "the single import has no “选择知识点” button")
                windows.settle()
                picker = windows.new_since(before)
                if check(len(picker) == 1, f"the point button opened {len(picker)} windows"):
                    check_pages("frmTree", picker[0], windows)
                    capture(work, picker[0], os.path.join(shots, "frmTree.png"))
                    close_with_escape(display, picker[0], windows.settle, "frmTree")
            close_with_escape(display, dialog, windows.settle, name)
        check(office.process.poll() is None, "the office ended while its dialogs were open")
        print(f"{len(names)} dialogs opened")
    finally:
        if office:
            office.stop()
        if xvfb:
            xvfb.kill()
            xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)
    return report()


if __name__ == "__main__":
    sys.exit(main())
