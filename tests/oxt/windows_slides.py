#!/usr/bin/python3
"""examples/slides.txt done through the office's windows alone, in Writer
with plendrix.oxt installed (xdotool on an Xvfb display of 1280 × 800
pixels), compared with the command-line host running the script with
--pptx.

First the input box: the toolbar button 方程组 with nothing selected asks
for the equations; its prompt and buttons are to show as the host words
them, without shortcut letters the office would add ("(A)"), and Escape
leaves the document as it was.

Then the teacher types the quiz into the document, opens the settings
dialog with the toolbar button 配置 (its toolbar switched on as 视图 ▸ 工具栏
does), makes the script's twelve settings on the tab, frame and control
the host's settings dialog binds each key to (found as windows_examples
finds controls; the value is what the host's dialog shows for the key once
the script has set it), presses 确定 and clicks the toolbar button
发送到PPT. Both toolbars are to show all their buttons on the 1280-pixel
screen, none behind their ». The send ends with the presentation opened
in Impress, which is compared with the host's .pptx: the slide size and
the number of slides; per slide its pictures and text boxes (kind, text,
left edge, the first one's top, one under the other as on the host; the
pictures inside the margins and filling them in one direction: their
heights follow each host's own layout of the text), its background
picture, its transition and its entrance effects with the shapes they
animate. Writer's paragraphs are then what was typed: the markers of the
send are gone.

Pictures of the input box, the settings tab (frmConfig.png), the toolbars,
the slides in Impress and Writer's page go to the picture folder; a step
that did not come about leaves stopped-slides.png.

Exits 77 (skipped) without an office, Python's UNO bridge, Xvfb or xdotool.

usage: windows_slides.py PLENDRIX.oxt OFFICE_PROGRAM_DIR RUN_CLI PLENDRIX PRISTINE EXAMPLES_DIR PICTURE_DIR"""
import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

from click_through import presentations
from office_config import configuration
from office_screen import (SCREEN, Dialog, box_of, capture, close_with_escape, controls, press_toolbar_button,
                           screen_missing, session, step, wait_for)
from office_session import SKIP
from oxt_common import SCHEME, check, report
from windows_examples import SETTINGS, Teacher, compare_text, host_run, run_host, script_lines, settings_lines, unescape

GROUP_BARS = "org.plendrix.plendrix4word.rxGrp_"  # the nodes of the ribbon groups' toolbars
EQUATIONS = "rxBtnGS_fcz"  # 方程组: with nothing selected it asks for the equations
SETTINGS_GROUP = "word2pptconfig"

P = "{http://schemas.openxmlformats.org/presentationml/2006/main}"
A = "{http://schemas.openxmlformats.org/drawingml/2006/main}"
R = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"
# The PresentationML transitions and entrance effects the host writes, as
# Impress names them once it has read them.
TRANSITIONS = {"fade": "FADE"}
ENTRANCES = {"10": "ooo-entrance-fade-in"}


# ---- The host ----

def host_reference(run_cli, plendrix, pristine, script, work):
    """The .pptx and the document's dump the host makes of the script."""
    pptx, dump = os.path.join(work, "host.pptx"), os.path.join(work, "host.json")
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as lines:
        lines.write("".join(line + "\n" for line in script + [f"dump {dump}"]))
    try:
        done = subprocess.run([run_cli, plendrix, pristine, "--pptx", pptx, "run", lines.name], capture_output=True,
                              text=True, timeout=300)
    finally:
        os.unlink(lines.name)
    if done.returncode != 0:
        sys.exit(f"the command-line host stopped with {done.returncode}:\n{done.stdout}{done.stderr}")
    with open(dump, encoding="utf-8") as f:
        return pptx, json.load(f)


def pptx_slides(path):
    """(slide width and height in points, [slide, ...]) of a .pptx, each
    slide as `Slide` holds it."""
    with zipfile.ZipFile(path) as package:
        presentation = ET.fromstring(package.read("ppt/presentation.xml"))
        relations = ET.fromstring(package.read("ppt/_rels/presentation.xml.rels"))
        targets = {r.get("Id"): r.get("Target") for r in relations}
        size = presentation.find(f"{P}sldSz")
        slides = [Slide.from_xml(ET.fromstring(package.read("ppt/" + targets[s.get(R + "id")])))
                  for s in presentation.iter(f"{P}sldId")]
    return (int(size.get("cx")) / 12700, int(size.get("cy")) / 12700), slides


class Slide:
    """What the comparison looks at on a slide: its shapes as (kind, text,
    (left, top, width, height) in points), whether a picture fills its
    background, its transition as Impress names it (None without one) and
    its entrance effects as (effect, index of the shape it animates)."""

    def __init__(self, shapes, background, transition, effects):
        self.shapes, self.background, self.transition, self.effects = shapes, background, transition, sorted(effects)

    @staticmethod
    def from_xml(root):
        shapes, ids = [], {}
        for node in root.find(f"{P}cSld/{P}spTree"):
            kind = {P + "pic": "picture", P + "sp": "text", P + "graphicFrame": "object"}.get(node.tag)
            if kind is None:
                continue
            ids[next(node.iter(f"{P}cNvPr")).get("id")] = len(shapes)
            off, ext = next(node.iter(f"{A}off")), next(node.iter(f"{A}ext"))
            box = tuple(int(v) / 12700 for v in (off.get("x"), off.get("y"), ext.get("cx"), ext.get("cy")))
            text = "\n".join("".join(t.text or "" for t in p.iter(f"{A}t")) for p in node.iter(f"{A}p"))
            shapes.append((kind, text if kind == "text" else None, box))
        background = root.find(f"{P}cSld/{P}bg//{A}blipFill") is not None
        transition = root.find(f"{P}transition")
        kinds = [child.tag[len(P):] for child in transition] if transition is not None else []
        if kinds and kinds[0] not in TRANSITIONS:
            sys.exit(f"the test does not know how Impress names the transition “{kinds[0]}”")
        effects = []
        for node in root.iter(f"{P}cTn"):
            if node.get("presetClass") == "entr":
                preset = node.get("presetID")
                if preset not in ENTRANCES:
                    sys.exit(f"the test does not know how Impress names the entrance effect {preset}")
                target = next(node.iter(f"{P}spTgt")).get("spid")
                effects.append((ENTRANCES[preset], ids.get(target)))
        return Slide(shapes, background, TRANSITIONS[kinds[0]] if kinds else None, effects)


# ---- Impress ----

def impress_slides(presentation):
    """(slide width and height in points, [Slide, ...]) of what Impress shows."""
    pages = presentation.DrawPages
    slides = [impress_slide(pages.getByIndex(i)) for i in range(pages.Count)]
    first = pages.getByIndex(0)
    return (first.Width * 72 / 2540, first.Height * 72 / 2540), slides


def impress_slide(page):
    import uno
    kinds = {"com.sun.star.drawing.GraphicObjectShape": "picture", "com.sun.star.drawing.TextShape": "text",
             "com.sun.star.drawing.OLE2Shape": "object"}
    shapes = []
    for i in range(page.Count):
        shape = page.getByIndex(i)
        kind = kinds.get(shape.ShapeType, shape.ShapeType)
        box = tuple(v * 72 / 2540 for v in (shape.Position.X, shape.Position.Y, shape.Size.Width, shape.Size.Height))
        shapes.append((kind, shape.String if kind == "text" else None, box))
    from com.sun.star.drawing.FillStyle import BITMAP
    background = page.Background is not None and page.Background.FillStyle == BITMAP
    transition = None
    if page.TransitionType:
        transition = next((name for name in TRANSITIONS.values()
                           if uno.getConstantByName(f"com.sun.star.animations.TransitionType.{name}") ==
                           page.TransitionType), f"type {page.TransitionType}")
    effects = []
    entrance = uno.getConstantByName("com.sun.star.presentation.EffectPresetClass.ENTRANCE")

    def walk(node):
        data = {v.Name: v.Value for v in node.UserData}
        if data.get("preset-class") == entrance:
            targets = [child.Target for child in children(node) if getattr(child, "Target", None) is not None]
            index = next((i for i in range(page.Count) if targets and page.getByIndex(i) == targets[0]), None)
            effects.append((data.get("preset-id"), index))
            return
        for child in children(node):
            walk(child)

    walk(page.AnimationNode)
    return Slide(shapes, background, transition, effects)


def children(node):
    """An animation node's child nodes."""
    if not hasattr(node, "createEnumeration"):
        return []
    found, items = [], node.createEnumeration()
    while items.hasMoreElements():
        found.append(items.nextElement())
    return found


def compare_slides(shown, host, margins):
    """Impress's slides against the host's; `margins` (left, right, top,
    bottom) in points from the settings."""
    (size, slides), (host_size, host_slides) = shown, host
    check(all(abs(a - b) < 1 for a, b in zip(size, host_size)), f"Impress's slides are {size} pt, the host's {host_size}")
    if not check(len(slides) == len(host_slides), f"Impress shows {len(slides)} slides, the host made {len(host_slides)}"):
        return
    left, right, top, bottom = margins
    room = (size[0] - left - right, size[1] - top - bottom)
    for number, (mine, theirs) in enumerate(zip(slides, host_slides), 1):
        where = f"slide {number}"
        kinds = [(kind, text) for kind, text, _ in mine.shapes]
        if not check(kinds == [(kind, text) for kind, text, _ in theirs.shapes],
                     f"{where} holds {kinds} in Impress, {[(k, t) for k, t, _ in theirs.shapes]} on the host"):
            continue
        for (kind, _, (x, y, w, h)), (_, _, host_box) in zip(mine.shapes, theirs.shapes):
            check(abs(x - left) < 1 and abs(x - host_box[0]) < 1, f"{where}: a {kind} stands {x:.1f} pt from the left, "
                                                                  f"on the host {host_box[0]:.1f}, the margin {left}")
            check(x + w <= size[0] - right + 1 and top - 1 <= y and y + h <= size[1] - bottom + 1,
                  f"{where}: the {kind} at {(x, y, w, h)} leaves the margins")
            check(abs(w - room[0]) < 1 or abs(h - room[1]) < 1,
                  f"{where}: the {kind} {w:.1f} × {h:.1f} pt fills neither the {room[0]:.0f} pt between the side "
                  f"margins nor the {room[1]:.0f} pt between the top and bottom ones")
        if mine.shapes:
            first, host_first = mine.shapes[0][2][1], theirs.shapes[0][2][1]
            check(abs(first - host_first) < 1, f"{where}: the first shape stands {first:.1f} pt from the top, "
                                               f"on the host {host_first:.1f}")
        # A piece sent to the slide of the one before stands right under it
        # where the host's does (the pictures' heights follow each host's
        # own layout of the text).
        for i in range(1, len(mine.shapes)):
            under, host_under = (abs(box[i][2][1] - box[i - 1][2][1] - box[i - 1][2][3]) < 1
                                 for box in (mine.shapes, theirs.shapes))
            check(under == host_under, f"{where}: shape {i + 1} {'stands' if under else 'does not stand'} right under "
                                       f"the one before in Impress, {'does' if host_under else 'does not'} on the host")
        check(mine.background == theirs.background,
              f"{where}: {'a' if mine.background else 'no'} background picture in Impress, "
              f"{'one' if theirs.background else 'none'} on the host")
        check(mine.transition == theirs.transition,
              f"{where}: the transition is {mine.transition} in Impress, {theirs.transition} on the host")
        check(mine.effects == theirs.effects,
              f"{where}: the entrance effects (effect, shape) are {mine.effects} in Impress, {theirs.effects} on the host")
        sizes = ", ".join(f"{kind} {w:.0f} × {h:.0f} pt (host {hw:.0f} × {hh:.0f})" for (kind, _, (_, _, w, h)),
                          (_, _, (_, _, hw, hh)) in zip(mine.shapes, theirs.shapes))
        print(f"{where}: {sizes}; background picture {mine.background}, transition {mine.transition}, "
              f"effects {mine.effects}")


# ---- The office ----

def toolbar_buttons(office):
    """{ribbon identifier: (caption, toolbar resource)} of the buttons on the
    ribbon groups' toolbars, as the office merged the extension's."""
    bars = configuration(office, "/org.openoffice.Office.Addons/AddonUI/OfficeToolBar")
    found = {}
    for node in sorted(bars.ElementNames):
        if not node.startswith(GROUP_BARS):
            continue
        bar = bars.getByName(node)
        for name in bar.ElementNames:
            item = bar.getByName(name)
            if item.URL.startswith(SCHEME):
                found.setdefault(item.URL[len(SCHEME):], (item.Title, "private:resource/toolbar/addon_" + node))
    return found


def button_on_screen(screen, caption, toolbar):
    """Checks that the toolbar, switched on first, shows all its buttons
    (none behind its ») and the button in full on the screen."""
    layout = screen.frame.LayoutManager
    if not layout.isElementVisible(toolbar):
        layout.createElement(toolbar)
        layout.showElement(toolbar)
        screen.windows.settle()
    bar = layout.getElement(toolbar).RealInterface
    _, _, width, height = box_of(bar)
    wanted = bar.getPreferredSize().Width
    check(width >= wanted, f"the toolbar {toolbar} is cut to {width} of its {wanted} pixels")
    place = bar.AccessibleContext.getLocationOnScreen()
    context = bar.AccessibleContext
    for i in range(context.AccessibleChildCount):
        button = context.getAccessibleChild(i).AccessibleContext
        if button.AccessibleName != caption:
            continue
        at, size = button.getLocationOnScreen(), button.getSize()
        inside = (size.Width > 0 and place.X <= at.X and at.X + size.Width <= place.X + width
                  and at.X + size.Width <= SCREEN[0] and 0 <= at.Y < SCREEN[1])
        return check(inside, f"the button “{caption}” at {(at.X, at.Y, size.Width, size.Height)} is not shown in full "
                              f"in its toolbar at {(place.X, place.Y, width, height)} on the {SCREEN[0]}-pixel screen")
    return check(False, f"the toolbar {toolbar} has no button “{caption}”")


def check_input_box(screen, buttons, host_prompt, shots):
    """方程组 with nothing selected: the input box's prompt and buttons as
    written; Escape changes nothing."""
    windows = screen.windows
    caption, toolbar = buttons[EQUATIONS]
    step(f"clicking the toolbar button {caption}: an input box asks for the equations")
    before = windows.visible()
    press_toolbar_button(screen, caption, toolbar)
    box = wait_for("the input box", lambda: windows.new_since(before), windows)[0]
    capture(screen.work, os.path.join(shots, "input-box.png"), box_of(box))
    from com.sun.star.accessibility.AccessibleRole import LABEL
    shown = [name for _, role, name, _ in controls(box) if role == LABEL]
    check(shown == [host_prompt], f"the input box shows the prompt {shown}, the host “{host_prompt}”")
    dialog = Dialog(box, screen.env, windows)
    for button in ("确定", "取消"):
        check(dialog.button(button) is not None, f"the input box has no button “{button}” as written: "
                                                 f"{[name for _, _, name, _ in controls(box)]}")
    step("closing it with Escape")
    if not close_with_escape(screen.env, box, windows.settle):
        wait_for("the input box closed", lambda: not box.isVisible(), windows)
    windows.settle()
    check(screen.document.Text.String == "", f"Escape in the input box left “{screen.document.Text.String}”")


def main():
    oxt, office_dir, run_cli, plendrix, pristine, examples, shots = sys.argv[1:8]
    missing = screen_missing(office_dir)
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    os.makedirs(shots, exist_ok=True)
    script = script_lines(os.path.join(examples, "slides.txt"))
    config = [tuple(line.split(" ", 2)[1:]) for line in script if line.startswith(f"config {SETTINGS_GROUP}.")]
    config = [(key[len(SETTINGS_GROUP) + 1:], value) for key, value in config]
    typing = [line for line in script if line.startswith("type ")]
    send = next(line.split(" ", 1)[1] for line in script if line.startswith("press "))

    step("the command-line host: the script with --pptx, the settings dialog's controls and the input box")
    work = tempfile.mkdtemp(prefix="plendrix-slides-")
    host_pptx, dump = host_reference(run_cli, plendrix, pristine, script, work)
    host = pptx_slides(host_pptx)
    settings = settings_lines(run_cli, plendrix, pristine, [(SETTINGS_GROUP, k, v) for k, v in config])
    lines = typing + [f"press {SETTINGS}"] + settings + ["click frmConfig.cmdOk"]
    listings, boxes, _ = host_run(run_cli, plendrix, pristine, lines + [f"press {send}"],
                                  os.path.join(work, "windows.json"))
    if boxes[-1] != boxes[-3]:  # since the last setting: after 确定 and during the send
        sys.exit("the host shows boxes in the settings dialog or during the send, which this test does not answer")
    asked = run_host(run_cli, plendrix, pristine, ["answer cancel", f"press {EQUATIONS}"]).splitlines()
    prompt = asked[next(i for i, line in enumerate(asked) if line.startswith("[输入框]")) + 1]
    margins = tuple(float(dict(config)[k]) for k in ("intLeft", "intRight", "intTop", "intButtom"))

    def slides_in_windows(screen):
        buttons = toolbar_buttons(screen.office)
        check_input_box(screen, buttons, prompt, shots)
        button_on_screen(screen, *buttons[SETTINGS])
        teacher = Teacher(screen, buttons, shots)
        step(f"typing the quiz, making {len(config)} settings in the settings dialog and pressing 确定")
        # The settings, pictured by the teacher; then 确定, as the host's
        # dialog captions it.
        teacher.run(lines[:-1], listings[:-1], boxes[:len(lines) - 1])
        window = teacher.dialogs.pop("frmConfig")
        ok = next(c.caption for c in listings[-1][1] if c.name == lines[-1].split(".", 1)[1])
        step(f"pressing {ok}")
        Dialog(window, screen.env, screen.windows).press(ok)
        wait_for("the settings dialog closed", lambda: not window.isVisible(), screen.windows)
        caption, toolbar = buttons[send]
        step(f"clicking the toolbar button {caption} ({send})")
        button_on_screen(screen, caption, toolbar)
        capture(screen.work, os.path.join(shots, "toolbar.png"), (0, 0, SCREEN[0], 240))
        press_toolbar_button(screen, caption, toolbar)
        shown = wait_for("the slides of the send in Impress", lambda: presentations(screen.office), screen.windows)[0]
        screen.windows.settle()
        capture(screen.work, os.path.join(shots, "impress.png"))
        step("comparing Impress's slides with the host's .pptx")
        compare_slides(impress_slides(shown), host, margins)
        step("comparing Writer's paragraphs with what was typed")
        typed = unescape(typing[0].split(" ", 1)[1]).split("\r")
        compare_text("slides", screen.document, dump)
        text = [p["text"].rstrip("\r") for p in dump["paragraphs"]]
        check(text == typed, f"the host's paragraphs after the send {text}\ndiffer from the typed {typed}")
        screen.frame.ContainerWindow.toFront()
        screen.windows.settle()
        capture(screen.work, os.path.join(shots, "writer.png"))

    session(oxt, office_dir, None, shots, "slides", slides_in_windows)
    print(f"pictures in {shots}")
    return report()


if __name__ == "__main__":
    sys.exit(main())
