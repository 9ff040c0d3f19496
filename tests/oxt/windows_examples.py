#!/usr/bin/python3
"""The example scripts done through the office's windows alone: in Writer
with plendrix.oxt installed, each script's lines are carried out as a
teacher does them, with the mouse and the keyboard (xdotool on an Xvfb
display): `press` clicks the toolbar button of that caption (its toolbar
switched on first when hidden), `set`/`click`/`focus` act on the dialog
window's control (a box is clicked into and typed, an option or a check box
clicked, a drop-down list opened and moved in with keys, a list's entry
clicked), `answer` answers the next message box with Enter or Escape and the
input box by typing into it, `type` types into the document, `select`
puts the cursor with a click after a text (the first place Writer shows it,
in a table's cell too) or with Ctrl+End or Ctrl+A, `close` closes the
dialog with Escape (or its 退出 when Escape went elsewhere), `config`
lines are made in the settings dialog (the toolbar button 配置, the key's
tab, the value the host's dialog shows for it, 确定), and `preview` is a
picture of the dialog with its preview.

A control is found in the window as the teacher finds it: by the tab page,
the frame and the caption the command-line host lists for it at that line
of the script (`show FORM`), the n-th of its kind with those when several
share them; a dialog covering the place the teacher clicks in the document
is dragged aside and back. Typing after a command inserted a figure, the teacher leaves
the figure Writer shows selected (Escape) and goes back to the end of the
line (End). The same lines run on the command-line host give what the
document is to hold; each part, a script in an office of its own, compares
what Writer holds then:
- bank, examples/question_bank.txt: the paper marked, imported into the
  bank of the installed extension, then sent from the bank browser into a
  new paper: the paragraphs' texts;
- figures, examples/figures.txt: the number lines, the four vertical
  sums, the polygon, the sector and the grid: as many figures of each kind,
  each with the same items (kind, text, height), and the paragraphs' texts;
- charts, examples/charts.txt: the six charts from the statistics dialog,
  which covers the questions: the figures as for figures.txt (the bars'
  heights among the items' heights), and the paragraphs' texts with the
  stem-and-leaf table's cells;
- paper, examples/paper.txt: the paper's head, the answer table, the
  options typed into the options table and after the question numbers,
  the options aligned and the sealing line: the paragraphs' texts (the
  tables' cells row by row) and the sealing line's box;
- graphs, examples/graphs.txt: the figure's size set in the settings
  dialog, the frame typed, six functions added on their tabs and the graph
  inserted: its group with every item (axes, ticks, labels, grid lines,
  curves) as for figures.txt, and the paragraphs' texts.
Every answer a script queues is used by a box in the office too.

Pictures of the dialogs and boxes at the key steps, and of each document
at the end of its part, go to the part's folder in the picture folder; a
step that did not come about leaves stopped-PART.png there.

Exits 77 (skipped) without an office, Python's UNO bridge, Xvfb or xdotool.

usage: windows_examples.py PLENDRIX.oxt OFFICE_PROGRAM_DIR RUN_CLI PLENDRIX PRISTINE EXAMPLES_DIR RIBBON PICTURE_DIR
       [PART,...]  (of bank, figures, charts, paper, graphs; all of them by default)"""
import collections
import json
import os
import re
import subprocess
import sys
import tempfile
import time

from office_screen import (SCREEN, TIMEOUT, Dialog, Stop, box_of, capture, click, close_with_escape, controls,
                           descendant, enter_text, entries_of, focus_titled, press_toolbar_button, screen_missing,
                           selected_text, session, shown_text, step, wait_for, xdotool)
from office_session import SKIP
from oxt_common import check, read_groups, report

# Each part: the script and what of the document is compared with the host's.
PARTS = {"bank": ("question_bank.txt", "text"), "figures": ("figures.txt", "shapes text"),
         "charts": ("charts.txt", "shapes text"), "paper": ("paper.txt", "shapes text"),
         "graphs": ("graphs.txt", "shapes text")}
TOOLBAR = "private:resource/toolbar/addon_org.plendrix.plendrix4word."  # + a group's identifier
SETTINGS = "rxBtnqt_config"  # the toolbar button 配置 of the settings dialog
QUIET = 0.5  # seconds without a new box after a line before the next


# ---- What the command-line host says of the same lines ----

class Listed:
    """A control as the host lists it: its tab page, frame, name, kind,
    caption, value and entries."""

    def __init__(self, page, frame, fields):
        self.page, self.frame = page, frame
        self.name, self.kind, self.caption, self.value = fields[:4]
        self.items = fields[5].strip("[]").split("|") if len(fields) > 5 else []


def parse_listing(lines):
    """(title, [Listed, ...]) of a `show` listing's lines."""
    title, page, frame, listed = None, None, None, []
    for line in lines:
        if line.startswith("# 对话框“"):
            title = line[len("# 对话框“"):line.index("”")]
        elif line.startswith("#"):
            page = re.search(r"选项卡“([^”]*)”", line)
            frame = re.search(r"框“([^”]*)”", line)
            page, frame = page and page.group(1), frame and frame.group(1)
        else:
            listed.append(Listed(page, frame, line.split("\t")))
    return title, listed


ACTING = re.compile(r"(press|set|click|focus|dblclick) ")
BOX = re.compile(r"^\[(消息框|输入框)\]", re.M)


def run_host(run_cli, plendrix, pristine, lines):
    """What the command-line host prints running the lines."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as script:
        script.write("\n".join(lines) + "\n")
    try:
        done = subprocess.run([run_cli, plendrix, pristine, "run", script.name], capture_output=True, text=True,
                              timeout=300)
    finally:
        os.unlink(script.name)
    if done.returncode != 0:
        sys.exit(f"the command-line host stopped with {done.returncode}:\n{done.stdout}{done.stderr}")
    return done.stdout


def host_run(run_cli, plendrix, pristine, lines, dump):
    """Runs the lines on the command-line host: [(title, [Listed, ...]) for
    each line acting on a dialog, from a `show FORM` before it], how many
    boxes the host has shown once each line is done, and the document's
    dump at the end."""
    shown = []
    for line in lines:
        acted = re.match(r"(set|click|focus|dblclick) (\w+)\.", line)
        if acted:
            shown.append(f"show {acted.group(2)}")
        shown.append(line)
    printed = run_host(run_cli, plendrix, pristine, shown + [f"dump {dump}"])
    listings, block = [], None
    for line in printed.splitlines() + [""]:
        if block is not None and (line.startswith("#") or "\t" in line):
            block.append(line)
            continue
        if block is not None:
            listings.append(parse_listing(block))
            block = None
        if line.startswith("对话框 ") and line.endswith("："):
            block = []
    boxes = [len(BOX.findall(run_host(run_cli, plendrix, pristine, lines[:i + 1]))) if ACTING.match(line) else None
             for i, line in enumerate(lines)]
    with open(dump, encoding="utf-8") as f:
        return listings, boxes, json.load(f)


def listing(run_cli, plendrix, pristine, lines):
    """(title, [Listed, ...]) of the settings dialog as the host lists it
    after the lines (which open it)."""
    printed = run_host(run_cli, plendrix, pristine, lines + ["show frmConfig"])
    block = printed.splitlines()
    start = block.index("对话框 frmConfig：")
    return parse_listing([line for line in block[start + 1:] if line.startswith("#") or "\t" in line])


def settings_lines(run_cli, plendrix, pristine, config):
    """The settings [(group, key, value), ...] as a teacher makes them in the
    settings dialog: their tab chosen, then
    `set frmConfig.CONTROL VALUE` for the control the host's dialog binds
    each key to, with the value it shows for the key once the script has set
    it (the control's tab shown, which loads its keys)."""
    _, before = listing(run_cli, plendrix, pristine, [f"press {SETTINGS}"])
    keys = [key for _, key, _ in config]
    bound = {c.name: c for c in before if c.name in keys}
    missing = [key for key in keys if key not in bound]
    if missing:
        sys.exit(f"the host's settings dialog shows no control for {missing}")
    pages = {bound[key].page for key in keys}
    if len(pages) != 1:
        sys.exit(f"the settings stand on several tabs: {sorted(pages)}")
    page = pages.pop()
    strip = next(c for c in before if c.page is None and page in c.items)  # the tabs
    choose_tab = f"set frmConfig.{strip.name} {strip.items.index(page)}"
    _, after = listing(run_cli, plendrix, pristine, [f"config {g}.{k} {v}" for g, k, v in config]
                       + [f"press {SETTINGS}", choose_tab])
    shown = {c.name: c for c in after}
    lines = [choose_tab]
    for _, key, value in config:
        control = shown[key]
        expected = {"True": "1", "False": "0"}.get(value, value)
        check(control.value == expected,
              f"the host's dialog shows “{control.value}” in {key} for the value {value}")
        lines.append(f"set frmConfig.{key} {control.value}")
    return lines


def with_settings_dialog(run_cli, plendrix, pristine, lines):
    """The lines with each run of `config` lines made in the settings
    dialog: the toolbar button 配置, the settings, 确定."""
    done, config = [], []
    for line in lines + [None]:
        if line is not None and line.startswith("config "):
            group, _, rest = line[len("config "):].partition(".")
            key, _, value = rest.partition(" ")
            config.append((group, key, value))
            continue
        if config:
            done += [f"press {SETTINGS}", *settings_lines(run_cli, plendrix, pristine, config), "click frmConfig.cmdOk"]
            config = []
        if line is not None:
            done.append(line)
    return done


def script_lines(path):
    """The script's lines of action, comments left out."""
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n") for line in f if line.strip() and not line.startswith("#")]


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"r": "\r", "n": "\n", "t": "\t", "\\": "\\"}.get(m.group(1), m.group(0)), text)


# ---- Boxes: the office's message and input boxes ----

# The character sets of compound text's two-byte designations (ESC $ ( F),
# read through the EUC encoding that holds each with the high bits set.
TWO_BYTE_SETS = {"A": "gb2312", "B": "euc_jp", "C": "euc_kr"}


def x_title(raw):
    """An X window's name as xdotool prints it (compound text: Chinese
    characters in GB2312, or in the Japanese or Korean set that has them,
    with the high bits cleared) as text."""
    text, charset = "", None
    for part in re.split(r"(\x1b\$\(.|\x1b\(.)", raw):
        if re.fullmatch(r"\x1b\$\(.", part):
            charset = TWO_BYTE_SETS.get(part[-1], "gb2312")
        elif re.fullmatch(r"\x1b\(.", part):
            charset = None
        elif charset:
            text += bytes(ord(c) | 0x80 for c in part).decode(charset, "replace")
        else:
            text += part
    return text


class Boxes:
    """The boxes a command shows: the X windows shown that are neither
    there before the script (the documents' windows) nor the dialogs'
    windows (by their titles); each is answered from the script's queue, an
    unqueued one with Enter (its default), as the command-line host
    answers them."""

    def __init__(self, screen, shots):
        self.screen, self.shots = screen, shots
        self.queue = collections.deque()
        self.count = 0  # answered since the script began
        self.pictured = 0
        self.before = set()
        self.forms = set()  # the dialogs' titles

    def named_windows(self):
        return xdotool(self.screen.env, "search", "--onlyvisible", "--name", ".").split()

    def begin(self):
        """Takes the windows shown now as the documents'."""
        self.before = set(self.named_windows())

    def shown(self):
        known = self.forms
        found = []
        for wid in self.named_windows():
            title = x_title(xdotool(self.screen.env, "getwindowname", wid).rstrip("\n"))
            if wid not in self.before and title not in known:
                found.append((wid, title))
        return found

    def answer_all(self, expected, again=None):
        """Answers boxes until `expected` boxes were answered since the
        script began (as many as the host showed by then), and then until
        none has come for QUIET seconds. When no box has come for a while,
        `again` repeats the step once: a click on a window the office was
        still drawing may not reach it, and a teacher clicks again."""
        env, windows = self.screen.env, self.screen.windows
        deadline = time.monotonic() + TIMEOUT
        retry = time.monotonic() + 15
        quiet = time.monotonic() + QUIET
        while self.count < expected or time.monotonic() < quiet:
            if again and time.monotonic() > retry:
                step("  no box came: clicking again")
                again()
                again = None
            if time.monotonic() > deadline:
                raise Stop(f"{self.count} boxes came instead of the {expected} the host showed by then")
            windows.settle()
            shown = self.shown()
            if not shown:
                time.sleep(0.2)
                continue
            wid, title = shown[-1]
            self.count += 1
            self.pictured += 1
            answer = self.queue.popleft() if self.queue else "ok"
            picture = f"box-{self.pictured}.png"
            capture(self.screen.work, os.path.join(self.shots, picture))
            step(f"  the box “{title}” ({picture}) is answered “{answer}”")
            xdotool(env, "windowfocus", wid)
            if answer in ("ok", "yes"):
                xdotool(env, "key", "Return")
            elif answer in ("cancel", "no"):
                xdotool(env, "key", "Escape")
            else:
                xdotool(env, "key", "ctrl+a", "BackSpace")
                enter_text(env, windows, answer)
                xdotool(env, "key", "Return")
            wait_for(f"the box “{title}” answered", lambda: wid not in [w for w, _ in self.shown()], windows)
            quiet = time.monotonic() + QUIET


# ---- The script's lines in the windows ----

KIND = {"文本框": "TEXT", "复选框": "CHECK_BOX", "单选按钮组": "RADIO_BUTTON", "组合框": "COMBO_BOX",
        "列表框": "LIST", "按钮": "PUSH_BUTTON"}


def text_to_cursor(document):
    """The text from the start of the view cursor's paragraph (in the body,
    a table's cell or a box) to the cursor, or None with shapes selected."""
    try:
        view = document.CurrentController.ViewCursor
        cursor = view.Text.createTextCursorByRange(view.getStart())
    except Exception:
        return None
    cursor.gotoStartOfParagraph(True)
    return cursor.getString()


def at_document_end(document):
    """Whether the view cursor stands at the end of the document's text."""
    try:
        end = document.CurrentController.ViewCursor.getEnd()
        return document.Text.compareRegionEnds(end, document.Text.getEnd()) == 0
    except Exception:
        return False  # in another text than the body's


def paragraphs_shown(screen):
    """The paragraphs of the document's text Writer shows, tables' cells
    included, in their order."""
    from com.sun.star.accessibility.AccessibleRole import PARAGRAPH, TABLE, TABLE_CELL
    first = descendant(screen.frame.ComponentWindow.AccessibleContext, PARAGRAPH)
    if first is None:
        return []

    def walk(context):
        for i in range(context.AccessibleChildCount):
            child = context.getAccessibleChild(i).AccessibleContext
            if child.AccessibleRole == PARAGRAPH:
                yield child
            elif child.AccessibleRole in (TABLE, TABLE_CELL):
                yield from walk(child)
    return list(walk(first.AccessibleParent.AccessibleContext))


def cursor_place(document):
    """Where the cursor stands, in words, for a step that did not come about."""
    view = document.CurrentController.ViewCursor
    try:
        cursor = view.Text.createTextCursorByRange(view.getStart())
    except Exception as error:
        return f"the cursor stands where no text cursor can be made ({error})"
    after = view.Text.createTextCursorByRange(view.getStart())
    cursor.gotoStartOfParagraph(True)
    after.gotoEndOfParagraph(True)
    inside = "" if view.Text == document.Text else " in a text other than the body's"
    return f"the cursor stands{inside} between “{cursor.getString()}” and “{after.getString()}”"


class Teacher:
    """Carries out a script's lines in the office's windows."""

    def __init__(self, screen, buttons, shots):
        self.screen, self.buttons, self.shots = screen, buttons, shots
        self.boxes = Boxes(screen, shots)
        self.dialogs = {}  # form name -> its window
        self.figures = 0  # the shapes Writer held when the teacher last put the cursor

    def window(self, form, title):
        windows = self.screen.windows
        found = wait_for(f"the window “{title}” of {form}",
                         lambda: [w for w in windows.visible() if w.getTitle() == title], windows)[0]
        self.dialogs[form] = found
        return found

    def control(self, dialog, listed, siblings):
        """The window's control for the listed one: the n-th of those of its
        kind, page, frame and caption, found in the frame of that caption."""
        from com.sun.star.accessibility import AccessibleRole
        shown = controls(dialog.window)
        if listed.page and self.show_page(dialog, listed.page):
            shown = controls(dialog.window)
        if listed.frame:
            frames = [box for _, role, name, box in shown
                      if role == AccessibleRole.GROUP_BOX and name == listed.frame]

            def inside(box):
                return any(f[0] <= box[0] and f[1] <= box[1] and box[0] + box[2] <= f[0] + f[2]
                           and box[1] + box[3] <= f[1] + f[3] for f in frames)
            shown = [c for c in shown if inside(c[3])]
        index = [s for s in siblings if (s.page, s.frame, s.kind, s.caption) ==
                 (listed.page, listed.frame, listed.kind, listed.caption)].index(listed)
        boxes = listed.kind in ("文本框", "组合框", "列表框")
        if boxes and listed.caption:
            found = dialog.fields(listed.caption, shown)
        elif boxes:
            # A box without a caption: one holding such a part, no caption before it.
            role = getattr(AccessibleRole, KIND[listed.kind])
            found = [w.AccessibleContext for (_, before, _, _), (w, _, _, _) in zip([(None, None, None, None)] + shown,
                                                                                 shown)
                     if before != AccessibleRole.LABEL and descendant(w.AccessibleContext, role) is not None]
        elif listed.kind == "单选按钮组":
            # The group's options stand in its frame; the option is chosen later.
            found = [shown]
        else:
            role = getattr(AccessibleRole, KIND.get(listed.kind, "PUSH_BUTTON"))
            found = [w.AccessibleContext for w, r, name, _ in shown if r == role and name == listed.caption]
        if index >= len(found):
            raise Stop(f"the window “{dialog.window.getTitle()}” shows no {listed.kind} “{listed.caption}” "
                       f"({listed.name}) in {listed.frame or 'the window'}: {[(r, n) for _, r, n, _ in shown]}")
        return found[index]

    def show_page(self, dialog, page):
        """Clicks the tab of the page unless it is the one shown (its tab
        pressed): clicking it again would load the page's values anew.
        Whether it clicked."""
        from com.sun.star.accessibility.AccessibleStateType import CHECKED, PRESSED
        tab = dialog.button(page)
        if tab is None:
            raise Stop(f"the window “{dialog.window.getTitle()}” shows no tab “{page}”")

        def pressed():
            states = tab.AccessibleStateSet
            return states.contains(PRESSED) or states.contains(CHECKED)
        if pressed():
            return False
        step(f"  clicking the tab “{page}”")
        click(self.screen.env, tab)
        wait_for(f"the tab “{page}” shown", pressed, self.screen.windows)
        return True

    def act(self, line, listing):
        """Carries out one line; for a click, how to click again."""
        verb, _, rest = line.partition(" ")
        env, windows = self.screen.env, self.screen.windows
        if verb == "answer":
            self.boxes.queue.append(rest)
            return
        if verb == "press":
            step(f"clicking the toolbar button “{self.buttons[rest][0]}” ({rest})")
            press_toolbar_button(self.screen, *self.buttons[rest])
            return
        if verb == "type":
            self.type_text(unescape(rest))
            return
        if verb == "select":
            self.select(unescape(rest))
            return
        if verb == "preview":
            form = rest.split()[0]
            step(f"looking at the preview of {form} ({form}-preview.png)")
            self.screen.windows.settle()
            capture(self.screen.work, os.path.join(self.shots, f"{form}-preview.png"), box_of(self.dialogs[form]))
            return
        if verb == "close":
            step(f"closing {rest} with Escape")
            window = self.dialogs.pop(rest)
            if not close_with_escape(env, window, windows.settle):
                try:
                    wait_for(f"{rest} closed", lambda: not window.isVisible(), windows, seconds=5)
                except Stop:
                    # Escape went to a window of the office that had the
                    # keyboard's focus: the teacher clicks 退出 instead.
                    step(f"  {rest} is still open: clicking “退出”")
                    Dialog(window, env, windows).press("退出")
                    wait_for(f"{rest} closed", lambda: not window.isVisible(), windows)
            return
        form, _, name = rest.partition(".")
        name, _, value = name.partition(" ")
        title, siblings = listing
        listed = next((c for c in siblings if c.name == name), None)
        if listed is None:
            raise Stop(f"the host lists no control {name} in {form}")
        dialog = Dialog(self.window(form, title), env, windows)
        box = self.control(dialog, listed, siblings)
        where = f"“{listed.caption}”" + (f" in “{listed.frame}”" if listed.frame else "")
        if verb == "set":
            self.set(dialog, listed, box, unescape(value), where)
        else:
            if verb == "click":  # the dialog as it stood when the button was pressed, which may close it
                capture(self.screen.work, os.path.join(self.shots, f"{form}.png"), box_of(dialog.window))
            step(f"{'clicking into' if verb == 'focus' else 'clicking'} {where} ({form}.{name})")
            click(env, box, clicks=2 if verb == "dblclick" else 1)
            if verb == "click":
                return lambda: click(env, box)
        return None

    def set(self, dialog, listed, box, value, where):
        env, windows = self.screen.env, self.screen.windows
        from com.sun.star.accessibility.AccessibleStateType import CHECKED
        if listed.kind == "文本框":
            step(f"typing “{value}” into {where} ({listed.name})")
            dialog.fill(box, value)
            try:
                wait_for(f"“{value}” in {where}", lambda: shown_text(box) == value, windows)
            except Stop as stop:
                raise Stop(f"{stop}: the box shows “{shown_text(box)}”") from None
        elif listed.kind == "复选框":
            step(f"{'ticking' if value == '1' else 'clearing'} {where} ({listed.name})")

            def ticked():
                return box.AccessibleStateSet.contains(CHECKED)
            if ticked() != (value == "1"):
                click(env, box)
            wait_for(f"{where} {'ticked' if value == '1' else 'cleared'}", lambda: ticked() == (value == "1"), windows)
        elif listed.kind == "单选按钮组":
            option = listed.items[int(value)]
            step(f"choosing “{option}” in {where} ({listed.name})")
            from com.sun.star.accessibility.AccessibleRole import RADIO_BUTTON
            button = next((w.AccessibleContext for w, role, name, _ in box if role == RADIO_BUTTON and name == option),
                          None)
            if button is None and option in listed.items and dialog.button(option) is not None:
                self.show_page(dialog, option)  # the group of the tab pages
                return
            if button is None:
                raise Stop(f"{where} has no option “{option}”")
            click(env, button)
            wait_for(f"“{option}” chosen", lambda: button.AccessibleStateSet.contains(CHECKED), windows)
        elif listed.kind == "组合框":
            step(f"choosing “{value}” in the list {where} ({listed.name})")
            click(env, box)
            windows.settle()
            dialog.keys("Home", *["Down"] * listed.items.index(value), "Return")
            wait_for(f"“{value}” shown in {where}", lambda: shown_text(box) == value, windows)
        elif listed.kind == "列表框":
            entries = entries_of(box, where) if listed.caption else entries_of(box, listed.name)
            entry = entries[int(value)]
            step(f"clicking the entry “{entry.AccessibleName}” of the list {listed.name}")
            click(env, entry)
            from com.sun.star.accessibility.AccessibleStateType import SELECTED
            wait_for(f"“{entry.AccessibleName}” selected", lambda: entry.AccessibleStateSet.contains(SELECTED),
                     windows)
        else:
            raise Stop(f"{listed.name} is a {listed.kind}, which a script does not set")

    def type_text(self, text):
        step(f"typing “{text[:30]}…” into the document" if len(text) > 30 else f"typing “{text}” into the document")
        env, document, windows = self.screen.env, self.screen.document, self.screen.windows
        focus_titled(env, self.screen.frame.Title)
        if document.DrawPage.Count != self.figures:
            # A figure came since the cursor was put: Writer shows it
            # selected, or has left it for the start of its paragraph. The
            # teacher goes back to the end of the line typed on.
            step("  a figure came: Escape from it, End to the line's end")
            if selected_text(document) is None:
                xdotool(env, "key", "Escape")
                wait_for("the cursor back in the text", lambda: selected_text(document) is not None, windows)
            xdotool(env, "key", "End")
        for i, piece in enumerate(text.split("\r")):
            if i:
                xdotool(env, "key", "Return")
            if piece:
                windows.settle()
                before = text_to_cursor(document) or ""
                enter_text(env, windows, piece)
                try:
                    wait_for(f"the text “{piece}” typed", lambda: text_to_cursor(document) == before + piece,
                             windows)
                except Stop as stop:
                    raise Stop(f"{stop}; {cursor_place(document)}") from None
        self.figures = document.DrawPage.Count

    def select(self, what):
        env, document, windows = self.screen.env, self.screen.document, self.screen.windows
        focus_titled(env, self.screen.frame.Title)
        if what == "all":
            step("Ctrl+A in the document (select all)")
            xdotool(env, "key", "ctrl+a")
        elif what == "end":
            # In a table Writer's Ctrl+End goes to the cell's end, then the
            # table's, then the document's.
            step("Ctrl+End in the document (select end)")
            for _ in range(3):
                xdotool(env, "key", "ctrl+End")
                windows.settle()
                if at_document_end(document):
                    break
            wait_for("the cursor at the document's end", lambda: at_document_end(document), windows)
        elif what.startswith("after "):
            self.click_after(what[len("after "):])
        else:
            raise Stop(f"the test cannot select “{what}” with the mouse and keys")
        windows.settle()
        self.figures = document.DrawPage.Count

    def click_after(self, text):
        """Clicks after the first place Writer shows the text's first line
        at (at a paragraph's end when more lines follow), then Right over
        each character and paragraph mark after it."""
        env, windows = self.screen.env, self.screen.windows
        first = text.split("\r")[0]

        def found():
            for paragraph in paragraphs_shown(self.screen):
                shown = paragraph.getText().rstrip("\ufffc")
                at = shown.find(first)
                if at >= 0 and (first == text or at + len(first) == len(shown)):
                    return paragraph, shown[:at + len(first)]
            return None
        paragraph, before = wait_for(f"“{first}” on the screen", found, windows)
        rest = len(text) - len(first)
        step(f"clicking after “{first}”" + (f", then Right {rest} times" if rest else "") + " (select after)")
        last = paragraph.getCharacterBounds(len(before) - 1)
        at = (last.X + last.Width * 3 // 4, last.Y + last.Height // 2)
        place = paragraph.getLocationOnScreen()
        moved = self.uncover(place.X + at[0], place.Y + at[1])
        click(env, paragraph, at=at)
        wait_for(f"the cursor after “{before}”", lambda: text_to_cursor(self.screen.document) == before, windows)
        for form, wid, back in moved:
            step(f"  dragging {form} back to {back}")
            self.drag(form, wid, back)
        if rest:
            focus_titled(env, self.screen.frame.Title)
            xdotool(env, "key", *["Right"] * rest)

    def uncover(self, x, y):
        """Drags each open dialog that covers the point (x, y) of the screen
        aside, as a teacher does to click there: to a corner of the screen
        where it does not cover it, else to the right or left of it, partly
        off the screen. Returns [(form, X window, where it stood), ...]."""
        moved = []
        for form, window in self.dialogs.items():
            left, top, width, height = box_of(window)
            if not window.isVisible() or not (left <= x < left + width and top <= y < top + height):
                continue
            room_x, room_y = SCREEN[0] - width, SCREEN[1] - height
            places = [(cx, cy) for cy in (0, room_y) for cx in (0, room_x)] + [(x + 20, top), (x - 20 - width, top)]
            to = next(p for p in places if not (p[0] <= x < p[0] + width and p[1] <= y < p[1] + height))
            step(f"  dragging {form} aside to {to}: it covers the place to click")
            wid = xdotool(self.screen.env, "search", "--onlyvisible", "--name",
                          f"^{re.escape(window.getTitle())}$").split()[0]
            self.drag(form, wid, to)
            moved.append((form, wid, (left, top)))
        return moved

    def drag(self, form, wid, to):
        window = self.dialogs[form]
        xdotool(self.screen.env, "windowmove", wid, str(to[0]), str(to[1]))
        wait_for(f"{form} at {to}", lambda: box_of(window)[:2] == tuple(to), self.screen.windows)

    def run(self, lines, listings, boxes):
        """The lines, each done once the boxes the host showed by its end
        are answered."""
        self.boxes.begin()
        self.boxes.count = 0
        self.boxes.forms = {title for title, _ in listings}
        shown = iter(listings)
        for line, expected in zip(lines, boxes):
            acted = re.match(r"(set|click|focus|dblclick) \w+\.", line)
            again = self.act(line, next(shown) if acted else None)
            if expected is not None:
                self.boxes.answer_all(expected, again)
        shown = [b for b in boxes if b is not None]
        check(self.boxes.count == shown[-1], f"{self.boxes.count} boxes came in the office, {shown[-1]} on the host")
        check(not self.boxes.queue, f"answers no box in the office asked for: {list(self.boxes.queue)}")
        self.boxes.queue.clear()
        for form, window in self.dialogs.items():
            if window.isVisible():
                capture(self.screen.work, os.path.join(self.shots, f"{form}.png"), box_of(window))


# ---- What Writer holds, against the host's dump ----

def kind_of(name):
    """A shape's name without its number: what it is."""
    return name.partition("：")[0] if "：" in name else re.sub(r"\s*\d+(_plendrix.*)?$", "", name)


def writer_items(shape):
    """[(kind, text, height in points), ...] of a shape or a group's items."""
    if shape.supportsService("com.sun.star.drawing.GroupShape"):
        return [item for i in range(shape.Count) for item in writer_items(shape.getByIndex(i))]
    # Text that only Writer's text holds (a formula) stands in a frame of
    # the shape, where it is no string: such a text is not compared.
    framed = shape.getPropertySetInfo().hasPropertyByName("TextBox") and shape.TextBox
    text = None if framed else shape.String if hasattr(shape, "String") else ""
    return [(kind_of(shape.Name), text, shape.Size.Height * 72 / 2540)]


def dumped_items(shape):
    if shape.get("items"):
        return [item for child in shape["items"] for item in dumped_items(child)]
    return [(kind_of(shape["name"]), shape.get("text", ""), shape["height"])]


def compare_shapes(part, document, dump):
    """The document's floating shapes in Writer (objects in the text's
    lines, such as a formula field's result, left out) against the dump:
    as many of each kind (the names' part before the number), each with the
    same items with their texts, each item as high as on the host (1 pt)."""
    def by_kind(figures):
        found = collections.defaultdict(list)
        for kind, items in figures:
            found[kind].append(sorted(items, key=lambda i: (i[0], i[1] or "", round(i[2]))))
        return {kind: sorted(shown, key=lambda items: [(k, t or "") for k, t, _ in items]) for kind, shown in
                found.items()}
    from com.sun.star.text.TextContentAnchorType import AS_CHARACTER
    page = document.DrawPage
    floating = [s for s in (page.getByIndex(i) for i in range(page.Count)) if s.AnchorType != AS_CHARACTER]
    live = by_kind((kind_of(s.Name), writer_items(s)) for s in floating)
    host = by_kind((kind_of(s["name"]), dumped_items(s)) for s in dump["shapes"])
    counts = {kind: len(shown) for kind, shown in live.items()}
    host_counts = {kind: len(shown) for kind, shown in host.items()}
    if not check(counts == host_counts, f"{part}: Writer holds the figures {counts}, the host {host_counts}"):
        return
    for kind in sorted(live):
        for number, (mine, theirs) in enumerate(zip(live[kind], host[kind]), 1):
            same = len(mine) == len(theirs) and all(a[0] == b[0] and a[1] in (None, b[1]) and abs(a[2] - b[2]) <= 1
                                                    for a, b in zip(mine, theirs))
            if check(same, f"{part}: “{kind}” {number} holds in Writer {mine}\nand on the host {theirs}"):
                print(f"{part}: “{kind}” {number} holds {len(mine)} items as on the host")


def compare_text(part, document, dump):
    """The document's paragraphs' texts in Writer, those of tables' cells
    row by row among them, against the dump."""
    def paragraphs(text):
        enum = text.createEnumeration()
        while enum.hasMoreElements():
            paragraph = enum.nextElement()
            if paragraph.supportsService("com.sun.star.text.Paragraph"):
                yield paragraph.String
            elif paragraph.supportsService("com.sun.star.text.TextTable"):
                for name in paragraph.CellNames:
                    yield from paragraphs(paragraph.getCellByName(name).Text)
    live = list(paragraphs(document.Text))
    host = [p["text"].removesuffix("\x07").removesuffix("\r") for p in dump["paragraphs"]]
    if check(live == host, f"{part}: Writer's paragraphs {live}\ndiffer from the host's {host}"):
        print(f"{part}: the document's {len(live)} paragraphs are the host's")


# ---- The parts ----

def main():
    oxt, office_dir, run_cli, plendrix, pristine, examples, ribbon, shots = sys.argv[1:9]
    missing = screen_missing(office_dir)
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    os.makedirs(shots, exist_ok=True)
    # A button's caption and the toolbar of its group.
    buttons = {b.id: (b.label, TOOLBAR + b.group_id) for _, bs in read_groups(ribbon) for b in bs}

    chosen = sys.argv[9].split(",") if len(sys.argv) > 9 else list(PARTS)
    unknown = [part for part in chosen if part not in PARTS]
    if unknown:
        sys.exit(f"no part {unknown}: the parts are {', '.join(PARTS)}")
    for part in chosen:
        script, compared = PARTS[part]
        folder = os.path.join(shots, part)
        os.makedirs(folder, exist_ok=True)

        def in_windows(screen):
            lines = script_lines(os.path.join(examples, script))
            # The host writes a preview into the work folder; the teacher looks at it.
            lines = [re.sub(r"^(preview \S+) .*", rf"\1 {screen.work}/preview.svg", line) for line in lines]
            lines = with_settings_dialog(run_cli, plendrix, pristine, lines)
            listings, boxes, dump = host_run(run_cli, plendrix, pristine, lines,
                                             os.path.join(screen.work, f"{part}.json"))
            step(f"{part}: the {len(lines)} lines of {script} in the windows")
            Teacher(screen, buttons, folder).run(lines, listings, boxes)
            capture(screen.work, os.path.join(folder, f"{part}.png"))
            if "shapes" in compared:
                compare_shapes(part, screen.document, dump)
            if "text" in compared:
                compare_text(part, screen.document, dump)

        session(oxt, office_dir, None, folder, part, in_windows)
    print(f"pictures in {shots}")
    return report()


if __name__ == "__main__":
    sys.exit(main())
