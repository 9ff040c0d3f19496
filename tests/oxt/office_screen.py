"""The office's windows on an Xvfb display, as the window tests share them:
the display (its frame buffer kept in a file, for pictures), the office's
top windows and their controls as the toolkit and its accessibility API
report them, pictures of a part of the screen, and keys and clicks sent
with xdotool as a teacher sends them. Without a window manager windows
have no title bar and a new window is not given the focus by itself."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from office_session import Office, install, office_missing
from screen_capture import read_xwd, write_png

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


def xdotool(env, *args):
    """Runs xdotool on the display `env` names; what it printed."""
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True).stdout


def focus_titled(env, title):
    """Gives the keyboard focus to the shown X windows of that title."""
    for wid in xdotool(env, "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split():
        xdotool(env, "windowfocus", wid)


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


def box_of(window):
    r = window.getPosSize()
    return r.X, r.Y, r.Width, r.Height


def capture(work, file, box=None):
    """The part `box` (x, y, width, height; the whole screen without one) of
    the screen as a PNG."""
    width, height, rows = read_xwd(os.path.join(work, "Xvfb_screen0"))
    x, y, w, h = box or (0, 0, width, height)
    x, y = max(0, x), max(0, y)
    write_png(file, rows, x, y, min(w, width - x), min(h, height - y))


def close_with_escape(env, dialog, settle):
    """Escape in the window, as a teacher closes it; whether it went."""
    focus_titled(env, dialog.getTitle())
    settle()
    xdotool(env, "key", "Escape")
    settle()
    return not dialog.isVisible()


def answer_boxes(env, running):
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
            shown = xdotool(env, "search", "--onlyvisible", "--name", ".").split()
            if shown:
                xdotool(env, "windowfocus", shown[-1])
            xdotool(env, "key", "Escape")
            boxes += 1
    if running.poll() is None:
        running.kill()  # a box that would not close: the command is left waiting
    return boxes


class WriterOnScreen:
    """The office with the extension installed into a fresh profile, on an
    Xvfb display of its own, one Writer document (a new one, or a copy of
    `paper` made in the work folder, so the office's lock file and saves
    stay there) filling the screen, and the pointer in the screen's corner,
    out of the pictures."""

    def __init__(self, oxt, office_dir, paper=None):
        self.work = tempfile.mkdtemp(prefix="plendrix-screen-")
        self.xvfb, self.office = None, None
        try:
            self.xvfb, display = start_xvfb(self.work)
            self.env = dict(os.environ, DISPLAY=display)
            profile, _ = install(office_dir, oxt, self.work)
            self.office = Office(office_dir, profile, self.work, display)
            import uno
            url = uno.systemPathToFileUrl(shutil.copy(paper, self.work)) if paper else "private:factory/swriter"
            self.document = self.office.desktop.loadComponentFromURL(url, "_blank", 0, ())
            from com.sun.star.awt.PosSize import POSSIZE
            self.frame = self.document.CurrentController.Frame
            self.frame.ContainerWindow.setPosSize(0, 0, SCREEN[0], SCREEN[1], POSSIZE)
            self.windows = Windows(self.office)
            xdotool(self.env, "mousemove", str(SCREEN[0] - 1), str(SCREEN[1] - 1))
            self.windows.settle()
        except BaseException:
            self.close()
            raise

    def close(self):
        if self.office:
            self.office.stop()
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()
        shutil.rmtree(self.work, ignore_errors=True)


def screen_missing(office_dir):
    """Why the window tests cannot run here, or None."""
    if not (shutil.which("Xvfb") and shutil.which("xdotool")):
        return "no Xvfb or xdotool"
    return office_missing(office_dir)
