#!/usr/bin/python3
"""A teacher's whole task in Writer with plendrix.oxt installed, done
through the windows with the mouse and the keyboard (xdotool on an Xvfb
display), then checked in the saved file without the office.

In the office: the worksheet is opened; a click on the end of question 3
and End put the cursor after its text; a click on the toolbar button
"函数图象" opens the graph dialog; the function is typed into its y= box,
a dashed line style is chosen from the 线型 list with the keyboard, and
"确定" adds the curve to the drawing list, "插入Word" draws the graph into
the document. Then the drawing list answers a double click: its entry is
loaded back (the box, the line style and the change mode show it) after
the style and the box were changed by hand. "退出" closes the dialog;
Ctrl+Shift+S saves the document as a .docx under a new name (typed into
the office's file dialog, the format kept), and Ctrl+Q closes the office,
which is to end by itself with status 0.

In the saved file: the graph is one group named as the add-in names its
groups, holding the curve (dashed, as chosen), anchored in the paragraph
of question 3, and the paper's paragraphs are all there with their text
unchanged, in order.

In a second office, a send to slides that asks for the settings first
(word2pptconfig.blShowConfig, stored by hand): question 2 is selected with
a click, End and Shift+Home, the toolbar Plendrix 工具 is switched on and
its button "以图片形式发送到新PPT" clicked. While the settings dialog is
open, keys typed into the document and a click on "函数图象" do nothing and
no slide is made; a left margin typed into it and its "确定" let the send
go on, and Impress shows the question's picture at that margin.

Pictures of the graph dialog with the typed function (graph-dialog.png),
in change mode (change-mode.png), of the page with the graph (page.png)
and of the settings dialog (send-settings.png) go to the picture folder;
a step that did not come about leaves stopped-graph.png or
stopped-send.png.

Exits 77 (skipped) without an office, Python's UNO bridge, Xvfb, xdotool
or the paper.

usage: click_through.py PLENDRIX.oxt OFFICE_PROGRAM_DIR PAPER.docx PICTURE_DIR"""
import glob
import os
import re
import sys
import time
import xml.etree.ElementTree as ET
import zipfile

from office_screen import (TIMEOUT, Dialog, Stop, box_of, capture, click, focus_titled, press_toolbar_button,
                           put_cursor_after, screen_missing, selected_text, session, step, wait_for, xdotool)
from office_session import SKIP
from oxt_common import check, report

QUESTION = "3. 用描点法画出函数"  # how the chosen question's paragraph begins
FUNCTION = "y=x^2-2x"
ENTRY = "任意函数(ANY) 1"  # the drawing list's line for the typed function
SENT = "2．已知"  # how the question sent to slides begins
SEND = "以图片形式发送到新PPT"
LEFT_MARGIN = 60  # points, typed into the settings dialog before the send goes on
TOOLS = ("private:resource/toolbar/addon_org.plendrix.plendrix4word.rxGrp_GongJu", "Plendrix 工具")


def graph_groups(document):
    """The document's shapes named as the add-in names a graph's group."""
    page = document.DrawPage
    return [page.getByIndex(i) for i in range(page.Count) if re.fullmatch(r"组合：\d+_plendrix", page.getByIndex(i).Name)]


def save_as(screen, path):
    """Ctrl+Shift+S, the file's path typed into the office's file dialog,
    Enter, and the .docx format kept when the office asks."""
    import uno
    windows, document = screen.windows, screen.document
    before = windows.visible()
    focus_titled(screen.env, screen.frame.Title)
    xdotool(screen.env, "key", "ctrl+shift+s")
    chooser = wait_for("the file dialog", lambda: windows.new_since(before), windows)[0]
    focus_titled(screen.env, chooser.getTitle())
    xdotool(screen.env, "key", "ctrl+a")
    xdotool(screen.env, "type", "--delay", "30", path)
    xdotool(screen.env, "key", "Return")
    answered = []

    def saved():
        if os.path.exists(path) and document.getURL() == uno.systemPathToFileUrl(path) and not document.isModified():
            return True
        # The question whether to keep the format: its default keeps it.
        for box in windows.new_since(before):
            if box != chooser and not any(box == a for a in answered):
                answered.append(box)
                focus_titled(screen.env, box.getTitle())
                xdotool(screen.env, "key", "Return")
        return False

    wait_for(f"the saved {os.path.basename(path)}", saved, windows)


def close_office(screen):
    """Ctrl+Q in the document's window; the office is to end by itself, cleanly."""
    focus_titled(screen.env, screen.frame.Title)
    xdotool(screen.env, "key", "ctrl+q")
    deadline = time.monotonic() + TIMEOUT
    while screen.office.process.poll() is None and time.monotonic() < deadline:
        time.sleep(0.5)
    status = screen.office.process.poll()
    check(status == 0, f"the office ended with {status} after Ctrl+Q" if status is not None
          else f"the office was still running {TIMEOUT} s after Ctrl+Q")


def do_the_task(screen, shots, saved):
    """The teacher's steps in the office; the question's text."""
    windows = screen.windows
    step(f"putting the cursor after the text of the question beginning “{QUESTION}”")
    question = put_cursor_after(screen, QUESTION)
    step("clicking the toolbar button 函数图象")
    before = windows.visible()
    press_toolbar_button(screen, "函数图象")
    window = wait_for("the graph dialog", lambda: [w for w in windows.new_since(before) if w.getTitle() == "函数图象"],
                      windows)[0]
    dialog = Dialog(window, screen.env, windows)
    step(f"typing {FUNCTION} into the box y=")
    dialog.type_into("y=", FUNCTION)
    wait_for(f"the typed {FUNCTION} in the box", lambda: dialog.text("y=") == FUNCTION, windows)
    step("choosing the line style 2 (dashes) in the list 线型 with the keyboard")
    dialog.choose("线型", "Down", "Down", "Return")
    wait_for("the style 2 shown", lambda: dialog.text("线型") == "2", windows)
    step("pressing 确定: the function joins the drawing list")
    dialog.press("确定")
    wait_for(f"the drawing list's line “{ENTRY}”",
             lambda: any(e.AccessibleName == ENTRY for e in dialog.entries("作图列表")), windows)
    xdotool(screen.env, "mousemove", "0", str(box_of(window)[3] + 1))
    windows.settle()
    capture(screen.work, os.path.join(shots, "graph-dialog.png"), box_of(window))
    step("pressing 插入Word")
    dialog.press("插入Word")
    wait_for("the graph's group in the document", lambda: graph_groups(screen.document), windows)

    step("choosing the style 0 again and emptying the box y= by hand")
    dialog.choose("线型", "Up", "Up", "Return")
    wait_for("the style 0 shown", lambda: dialog.text("线型") == "0", windows)
    dialog.type_into("y=", "")
    wait_for("the emptied box", lambda: dialog.text("y=") == "", windows)
    step(f"double-clicking the drawing list's line “{ENTRY}”")
    line = next(e for e in dialog.entries("作图列表") if e.AccessibleName == ENTRY)
    click(screen.env, line, clicks=2, at=(20, line.getSize().Height // 2))
    if wait_for_change_mode(dialog, windows):
        check(dialog.text("y=") == FUNCTION, f"the double click loaded “{dialog.text('y=')}” into the box y=")
        check(dialog.text("线型") == "2", f"the double click loaded the figure's style 2 but 线型 shows “{dialog.text('线型')}”")
    capture(screen.work, os.path.join(shots, "change-mode.png"), box_of(window))

    step("pressing 退出")
    dialog.press("退出")
    wait_for("the dialog closed", lambda: not window.isVisible(), windows)
    xdotool(screen.env, "mousemove", str(screen.frame.ContainerWindow.getPosSize().Width - 1), "0")
    windows.settle()
    capture(screen.work, os.path.join(shots, "page.png"))
    step(f"saving as {saved} with Ctrl+Shift+S")
    save_as(screen, saved)
    step("closing the office with Ctrl+Q")
    close_office(screen)
    return question


def wait_for_change_mode(dialog, windows):
    """Whether the double click switched the dialog to change mode."""
    try:
        wait_for("the button 修改图像 (change mode)", lambda: dialog.button("修改图像"), windows)
        return True
    except Stop as stop:
        check(False, str(stop))
        return False


# ---- The saved file, read without the office ----

W = "{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
WP = "{http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing}"
A = "{http://schemas.openxmlformats.org/drawingml/2006/main}"
WPS = "{http://schemas.microsoft.com/office/word/2010/wordprocessingShape}"
# What is no paragraph of the text: a text box's content, and the old
# drawing a .docx keeps beside the new one for older readers.
APART = {W + "txbxContent", "{http://schemas.openxmlformats.org/markup-compatibility/2006}Fallback"}


def paragraphs(path):
    """[(text, [wp:anchor, ...]), ...] of the document's paragraphs in order,
    table cells' included, text boxes' left out."""
    with zipfile.ZipFile(path) as package:
        root = ET.fromstring(package.read("word/document.xml"))
    found = []

    def inside(node, texts, anchors):
        for child in node:
            if child.tag in APART:
                continue
            if child.tag == W + "t":
                texts.append(child.text or "")
            elif child.tag == WP + "anchor":
                anchors.append(child)
            inside(child, texts, anchors)

    def walk(node):
        for child in node:
            if child.tag in APART:
                continue
            if child.tag == W + "p":
                texts, anchors = [], []
                inside(child, texts, anchors)
                found.append(("".join(texts), anchors))
            else:
                walk(child)

    walk(root)
    return found


def check_saved(paper, saved, question):
    original = [text for text, _ in paragraphs(paper)]
    now = paragraphs(saved)
    texts = [text for text, _ in now]
    if texts != original:
        differ = next((i for i, (a, b) in enumerate(zip(original, texts)) if a != b), min(len(original), len(texts)))
        check(False, f"the paper's text changed: paragraph {differ + 1} of {len(original)} was "
                     f"“{original[differ] if differ < len(original) else ''}”, is "
                     f"“{texts[differ] if differ < len(texts) else ''}” ({len(texts)} paragraphs now)")
    graphs = [(i, anchor) for i, (_, anchors) in enumerate(now) for anchor in anchors
              if re.fullmatch(r"组合：\d+_plendrix", anchor.find(WP + "docPr").get("name", ""))]
    if not check(len(graphs) == 1, f"the saved file holds {len(graphs)} graph groups instead of one"):
        return
    index, anchor = graphs[0]
    check(now[index][0] == question, f"the graph is anchored in paragraph {index + 1} “{now[index][0]}”, "
                                     f"not in the question “{question}”")
    check(anchor.find(WP + "positionV").get("relativeFrom") == "paragraph",
          "the graph is not placed relative to its paragraph")
    items = anchor.find(WP + "docPr").get("title", "")
    check(re.search(r"\|任意函数：\d+_plendrix\|", "|" + items.partition(":")[2]) is not None,
          f"the group lists no curve of the typed function among its items: {items}")
    shapes = list(anchor.iter(WPS + "wsp"))
    curves = [s for s in shapes if s.find(f"{WPS}spPr/{A}custGeom") is not None]
    check(len(shapes) >= 5, f"the group holds {len(shapes)} shapes; the axes, their letters and the curve are more")
    check(any(c.find(f"{WPS}spPr/{A}ln/{A}prstDash") is not None or c.find(f"{WPS}spPr/{A}ln/{A}custDash") is not None
              for c in curves),
          f"none of the group's {len(curves)} curves is dashed as the chosen style 2 asks")
    print(f"the saved file: {len(texts)} paragraphs as before; the graph “{anchor.find(WP + 'docPr').get('name')}” "
          f"with {len(shapes)} shapes in paragraph {index + 1}")


# ---- The settings a send to slides asks for first ----

def ask_for_settings(work):
    """Stores word2pptconfig.blShowConfig = True in the installed extension's
    settings, as a teacher edits them by hand (no dialog writes that key)."""
    import sqlite3
    found = glob.glob(os.path.join(work, "profile/user/uno_packages/cache/uno_packages/*/plendrix.oxt/config/config.mdb"))
    if len(found) != 1:
        raise Stop(f"{len(found)} installed settings databases instead of one")
    with sqlite3.connect(found[0]) as db:
        db.execute("insert into config (configtype, configname, configvalue, remtxt) "
                   "values ('word2pptconfig', 'blShowConfig', 'True', 'the click-through test')")
    db.close()


def presentations(office):
    """The presentations the office has open."""
    found = []
    components = office.desktop.Components.createEnumeration()
    while components.hasMoreElements():
        component = components.nextElement()
        if component.supportsService("com.sun.star.presentation.PresentationDocument"):
            found.append(component)
    return found


def send_with_settings(screen, shots):
    """A send to slides with the settings dialog first: while it is open the
    document and its toolbars take nothing, and the send waits; its 确定
    closes it and the send goes on."""
    windows, document = screen.windows, screen.document
    step("asking for the settings before each send (word2pptconfig.blShowConfig)")
    ask_for_settings(screen.work)
    step("selecting question 2 with a click, End and Shift+Home")
    text = put_cursor_after(screen, SENT)
    xdotool(screen.env, "key", "shift+Home")
    wait_for("the question selected", lambda: selected_text(document) == text, windows)
    step(f"switching the toolbar {TOOLS[1]} on, as 视图 ▸ 工具栏 does, and clicking {SEND}")
    before = windows.visible()
    press_toolbar_button(screen, SEND, TOOLS[0])
    window = wait_for("the settings dialog", lambda: [w for w in windows.new_since(before) if w.getTitle() == "设置"],
                      windows)[0]
    capture(screen.work, os.path.join(shots, "send-settings.png"), box_of(window))
    step("typing into the document and clicking the toolbar button 函数图象 while the settings are open")
    typed_over = document.Text.String
    focus_titled(screen.env, screen.frame.Title)
    xdotool(screen.env, "type", "QQ")
    press_toolbar_button(screen, "函数图象")
    # What the office would do with them is done once it has handled its events.
    for _ in range(10):
        windows.settle()
        time.sleep(0.1)
    check(document.Text.String == typed_over, "the document took the keys typed while the settings dialog was open")
    check([w.getTitle() for w in windows.new_since(before)] == ["设置"],
          f"windows opened beside the settings dialog: {[w.getTitle() for w in windows.new_since(before)]}")
    check(window.isVisible() and not presentations(screen.office),
          "the send did not wait for the settings dialog: slides were made while it was open")
    settings = Dialog(window, screen.env, windows)
    step(f"typing the left margin {LEFT_MARGIN} into the settings dialog and pressing 确定")
    settings.type_into("左边距（磅）", str(LEFT_MARGIN))
    wait_for("the typed margin in its box", lambda: settings.text("左边距（磅）") == str(LEFT_MARGIN), windows)
    settings.press("确定")
    wait_for("the settings dialog closed", lambda: not window.isVisible(), windows)
    shown = wait_for("the slides of the send in Impress", lambda: presentations(screen.office), windows)[0]
    slide = shown.DrawPages.getByIndex(0)
    if check(slide.Count == 1, f"the sent slide holds {slide.Count} shapes instead of the question's picture"):
        left = slide.getByIndex(0).Position.X * 72 / 2540
        check(abs(left - LEFT_MARGIN) < 0.5, f"the picture stands {left:.1f} pt from the slide's left, "
                                             f"not at the {LEFT_MARGIN} pt typed into the settings")
    print(f"Impress shows a presentation of {shown.DrawPages.Count} slides")


def main():
    oxt, office_dir, paper, shots = sys.argv[1:5]
    missing = screen_missing(office_dir)
    if missing is None and not os.path.isfile(paper):
        missing = f"the paper {paper} is not there (the shared corpus is absent)"
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    os.makedirs(shots, exist_ok=True)

    def graph(screen):
        saved = os.path.join(screen.work, "worksheet-graph.docx")  # typed: ASCII
        question = do_the_task(screen, shots, saved)
        step("checking the saved file")
        check_saved(paper, saved, question)

    session(oxt, office_dir, paper, shots, "graph", graph)
    session(oxt, office_dir, paper, shots, "send", lambda screen: send_with_settings(screen, shots))
    print(f"pictures in {shots}")
    return report()


if __name__ == "__main__":
    sys.exit(main())
