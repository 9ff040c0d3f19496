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
from oxt_common import check
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
        self.clipboard = office.service("com.sun.star.datatransfer.clipboard.SystemClipboard")

    def settle(self):
        """Lets the office handle what is pending, painting included."""
        self.toolkit.processEventsToIdle()
        time.sleep(0.05)
        self.toolkit.processEventsToIdle()

    def all(self):
        """The top windows with a title, shown or hidden (a window closing
        meanwhile is left out)."""
        windows = (self.toolkit.getTopWindow(i) for i in range(self.toolkit.getTopWindowCount()))
        return [w for w in windows if w is not None and hasattr(w, "getTitle")]

    def visible(self):
        return [w for w in self.all() if w.isVisible()]

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


# ---- A teacher's steps, each waited for ----

TIMEOUT = 90  # seconds a window or a result is waited for on a busy machine


class Stop(Exception):
    """A step that did not come about: the steps after it cannot run."""


def step(text):
    print(time.strftime("%H:%M:%S"), text, flush=True)


def wait_for(what, found, windows, seconds=TIMEOUT):
    """Polls `found` until it gives something true; stops the run after
    `seconds`, naming what did not come."""
    deadline = time.monotonic() + seconds
    while True:
        windows.settle()
        value = found()
        if value:
            return value
        if time.monotonic() > deadline:
            shown = ", ".join(f"“{w.getTitle()}”" for w in windows.visible())
            raise Stop(f"{what} did not come within {seconds} s (windows shown: {shown or 'none'})")
        time.sleep(0.2)


def enter_text(env, windows, text):
    """Types `text` where the keyboard's focus is. Text outside the
    keyboard's map (Chinese) is pasted instead, put on the clipboard as a
    teacher copies it: xdotool lends a key to each such character, and on a
    busy machine the office may read the key after it was lent to the next
    one, dropping characters."""
    if all(" " <= c <= "~" for c in text):
        # "--" ends xdotool's options: "-8" would be read as one and
        # nothing typed.
        xdotool(env, "type", "--delay", "40", "--", text)
        return
    windows.clipboard.setContents(plain_text(text), None)
    xdotool(env, "key", "ctrl+v")


def plain_text(text):
    """`text` as what the clipboard holds: plain Unicode text."""
    import uno
    import unohelper
    from com.sun.star.datatransfer import DataFlavor, XTransferable

    class PlainText(unohelper.Base, XTransferable):
        flavor = DataFlavor("text/plain;charset=utf-16", "Unicode-Text", uno.getTypeByName("string"))

        def getTransferData(self, flavor):
            return text

        def getTransferDataFlavors(self):
            return (self.flavor,)

        def isDataFlavorSupported(self, flavor):
            return flavor.MimeType == self.flavor.MimeType

    return PlainText()


def descendant(context, role, depth=6):
    """The first accessible context of that role under `context`, or None."""
    if context.AccessibleRole == role:
        return context
    if depth == 0:
        return None
    for i in range(min(context.AccessibleChildCount, 400)):
        found = descendant(context.getAccessibleChild(i).AccessibleContext, role, depth - 1)
        if found is not None:
            return found
    return None


def click(env, context, clicks=1, at=None):
    """Clicks the middle of an accessible element, or the point `at` inside it."""
    place, size = context.getLocationOnScreen(), context.getSize()
    x, y = at or (size.Width // 2, size.Height // 2)
    xdotool(env, "mousemove", str(place.X + x), str(place.Y + y), "click", "--repeat", str(clicks), "--delay", "120",
            "1")


class Dialog:
    """A dialog window's controls as a teacher finds them: a box by the
    caption beside it, a button by its caption."""

    def __init__(self, window, env, windows):
        self.window, self.env, self.windows = window, env, windows

    def fields(self, caption, shown=None):
        """The boxes captioned so, in the window's order (among `shown`,
        the shown controls by default)."""
        from com.sun.star.accessibility.AccessibleRole import LABEL
        shown = shown if shown is not None else controls(self.window)
        return [box.AccessibleContext for (_, role, name, _), (box, _, _, _) in zip(shown, shown[1:])
                if role == LABEL and name == caption]

    def field(self, caption):
        found = self.fields(caption)
        if not found:
            raise Stop(f"the dialog shows no box captioned “{caption}”")
        return found[0]

    def button(self, caption):
        from com.sun.star.accessibility.AccessibleRole import PUSH_BUTTON
        for window, role, name, _ in controls(self.window):
            if role == PUSH_BUTTON and name == caption:
                return window.AccessibleContext
        return None

    def text(self, caption):
        """What the box (or the drop-down list's field) beside the caption shows."""
        return shown_text(self.field(caption))

    def entries(self, caption):
        """The list's entries as accessible contexts."""
        return entries_of(self.field(caption), caption)

    def keys(self, *keys):
        focus_titled(self.env, self.window.getTitle())
        xdotool(self.env, "key", "--delay", "80", *keys)

    def fill(self, box, text):
        """Clicks into the box, selects what it holds and types over it
        (or deletes it, for no text)."""
        click(self.env, box)
        self.windows.settle()
        self.keys("ctrl+a", *([] if text else ["BackSpace"]))
        if text:
            enter_text(self.env, self.windows, text)

    def type_into(self, caption, text):
        self.fill(self.field(caption), text)

    def choose(self, caption, *keys):
        """Opens the drop-down list with a click and moves in it with keys."""
        click(self.env, self.field(caption))
        self.windows.settle()
        self.keys(*keys)

    def press(self, caption):
        button = self.button(caption)
        if button is None:
            raise Stop(f"the dialog has no button “{caption}”")
        click(self.env, button)


def shown_text(box):
    """What a box (or a drop-down list's field) shows, or None."""
    from com.sun.star.accessibility.AccessibleRole import TEXT
    shown = descendant(box, TEXT)
    return shown.getText() if shown is not None else None


def entries_of(box, what):
    """A list's entries as accessible contexts."""
    from com.sun.star.accessibility.AccessibleRole import LIST
    entries = descendant(box, LIST)
    if entries is None:
        raise Stop(f"“{what}” is no list")
    return [entries.getAccessibleChild(i).AccessibleContext for i in range(entries.AccessibleChildCount)]


def shown_paragraph(screen, start, end=""):
    """The accessible paragraph Writer's window shows that begins with
    `start` and ends with `end` (a picture in the line left out), or None."""
    from com.sun.star.accessibility.AccessibleRole import PARAGRAPH
    first = descendant(screen.frame.ComponentWindow.AccessibleContext, PARAGRAPH)
    if first is None:
        return None
    page = first.AccessibleParent.AccessibleContext
    shown = (page.getAccessibleChild(i).AccessibleContext for i in range(page.AccessibleChildCount))
    return next((p for p in shown if p.AccessibleRole == PARAGRAPH and p.getText().startswith(start)
                 and p.getText().rstrip("\ufffc").endswith(end)), None)


def text_before_cursor(document):
    """The text from the start of the cursor's paragraph to the cursor, when
    the cursor stands at the paragraph's end in the body text; else None."""
    try:
        cursor = document.Text.createTextCursorByRange(document.CurrentController.ViewCursor.getStart())
    except Exception:
        return None  # the cursor is in another text: a table's cell, a text box
    if not cursor.isEndOfParagraph():
        return None
    cursor.gotoStartOfParagraph(True)
    return cursor.getString()


def selected_text(document):
    """The text selected in the document, or None when shapes are selected."""
    selection = document.CurrentController.getSelection()
    if not selection.supportsService("com.sun.star.text.TextRanges") or selection.getCount() != 1:
        return None
    return selection.getByIndex(0).getString()


def put_cursor_after(screen, start, end=""):
    """Clicks the last character of the paragraph that begins with `start`
    and ends with `end` as Writer shows it, then End: the cursor stands
    after its text. Returns the paragraph's text."""
    question = wait_for(f"a paragraph “{start}…{end}” on the screen", lambda: shown_paragraph(screen, start, end),
                        screen.windows)
    text = question.getText().rstrip("\ufffc")  # a picture in the line stands as U+FFFC after the text
    last = question.getCharacterBounds(len(text) - 1)
    click(screen.env, question, at=(last.X + last.Width // 2, last.Y + last.Height // 2))
    focus_titled(screen.env, screen.frame.Title)
    xdotool(screen.env, "key", "End")
    wait_for(f"the cursor after “{text}”", lambda: text_before_cursor(screen.document) == text, screen.windows)
    return text


def press_toolbar_button(screen, caption, toolbar=None):
    """Clicks the button of that caption on a Plendrix toolbar Writer shows,
    or on the toolbar `toolbar` (its resource URL), switched on first as
    视图 ▸ 工具栏 does when it is hidden."""
    layout = screen.frame.LayoutManager
    if toolbar and not layout.isElementVisible(toolbar):
        layout.createElement(toolbar)
        layout.showElement(toolbar)
        screen.windows.settle()
    for element in layout.getElements():
        if "plendrix" not in element.ResourceURL or not layout.isElementVisible(element.ResourceURL):
            continue
        if toolbar and element.ResourceURL != toolbar:
            continue
        bar = element.RealInterface.AccessibleContext
        for i in range(bar.AccessibleChildCount):
            button = bar.getAccessibleChild(i).AccessibleContext
            if button.AccessibleName == caption:
                click(screen.env, button)
                return
    raise Stop(f"no toolbar shown has a button “{caption}”")


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
            self.windows = Windows(self.office)
            import uno
            self.open(uno.systemPathToFileUrl(shutil.copy(paper, self.work)) if paper else "private:factory/swriter")
        except BaseException:
            self.close()
            raise

    def open(self, url):
        """Opens the document of `url` (a new one for private:factory/swriter)
        in a window filling the screen, which becomes `document` and `frame`."""
        from com.sun.star.awt.PosSize import POSSIZE
        self.document = self.office.desktop.loadComponentFromURL(url, "_blank", 0, ())
        self.frame = self.document.CurrentController.Frame
        self.frame.ContainerWindow.setPosSize(0, 0, SCREEN[0], SCREEN[1], POSSIZE)
        xdotool(self.env, "mousemove", str(SCREEN[0] - 1), str(SCREEN[1] - 1))
        self.windows.settle()

    def close(self):
        if self.office:
            self.office.stop()
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()
        shutil.rmtree(self.work, ignore_errors=True)


def session(oxt, office_dir, paper, shots, name, task):
    """The task in an office of its own; what stopped it is pictured as
    stopped-NAME.png."""
    opened = os.path.basename(paper) if paper else "a new Writer document"
    step(f"{name}: starting the office with the extension on an Xvfb display and opening {opened}")
    screen = WriterOnScreen(oxt, office_dir, paper)
    try:
        task(screen)
    except Stop as stop:
        capture(screen.work, os.path.join(shots, f"stopped-{name}.png"))
        check(False, f"{name}: {stop} (the screen is in stopped-{name}.png)")
    finally:
        screen.close()


def screen_missing(office_dir):
    """Why the window tests cannot run here, or None."""
    if not (shutil.which("Xvfb") and shutil.which("xdotool")):
        return "no Xvfb or xdotool"
    return office_missing(office_dir)
