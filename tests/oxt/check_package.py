#!/usr/bin/python3
"""Checks plendrix.oxt without an office: the registration files agree with
each other and with what the package holds; one toolbar per ribbon group
(a group too wide for the window going on in more) holds the group's
buttons in ribbon order with their captions, the groups
a teacher uses most shown in at most three rows under Writer's own bars
and the others hidden; a hidden wide toolbar holds every button (a
separator between groups); the 2003 host's bars are hidden and send ribbon
commands, or the keys of the commands only they have; every toolbar has its name and place in WriterWindowState.xcu;
the "Plendrix" menu holds each button under its group's
submenu (and its drop-down menu's), every picture is there at 16 and 26 px,
and the add-in's data folders are beside the library.

usage: check_package.py PLENDRIX.oxt WORDUI.xml"""
import struct
import sys
import xml.etree.ElementTree as ET
import zipfile

from oxt_common import SCHEME, check, failures, read_groups, report

OOR = "{http://openoffice.org/2001/registry}"


class Node:
    """A configuration node: its properties, and its child nodes in the
    order the office lists them (by name)."""

    def __init__(self, element):
        self.props = {p.get(OOR + "name"): (p.findtext("value") or "") for p in element.findall("prop")}
        children = {n.get(OOR + "name"): Node(n) for n in element.findall("node")}
        self.children = [children[name] for name in sorted(children)]
        self.by_name = children


def xcu(package, name):
    return Node(ET.fromstring(package.read(name)))


def same_list(found, expected, what):
    """Checks two lists are equal, naming the first place they differ."""
    for i, (f, e) in enumerate(zip(found, expected)):
        if f != e:
            return check(False, f"{what}: item {i + 1} is {f}, the ribbon has {e}")
    return check(len(found) == len(expected), f"{what}: {len(found)} items, the ribbon has {len(expected)}")


def png_size(package, name):
    data = package.read(name)
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", data[16:24])


def check_registration(package, names):
    manifest = ET.fromstring(package.read("META-INF/manifest.xml"))
    listed = {e.get("{http://openoffice.org/2001/manifest}full-path") for e in manifest}
    for name in listed:
        check(name in names, f"manifest.xml lists {name}, which the package lacks")
    for name in names:
        if "/" not in name and (name.endswith(".xcu") or name.endswith(".components")):
            check(name in listed, f"{name} is not in manifest.xml, so the office would ignore it")
    components = ET.fromstring(package.read("plendrix.components"))
    library = components.find("{*}component").get("uri")
    check(library in names, f"plendrix.components loads {library}, which the package lacks")
    implementation = components.find("{*}component/{*}implementation").get("name")
    handlers = xcu(package, "ProtocolHandler.xcu").by_name["HandlerSet"].by_name
    check(implementation in handlers, f"ProtocolHandler.xcu does not register {implementation}")
    if implementation in handlers:
        check(handlers[implementation].props.get("Protocols") == SCHEME + "*", "the handler does not take vnd.plendrix:*")
    description = package.read("description.xml").decode()
    check("LibreOffice-minimal-version" in description, "description.xml names no minimal LibreOffice version")
    for needed in ("config/config.mdb", "config/wordui.txt", "config/zdygz.txt", "TK_plendrix/TK_plendrix.mdb",
                   "TK_plendrix/tkconfig.xls", "img/fd.bmp", "tuku/", "temp/", "公式录入说明.doc"):
        check(needed in names, f"the add-in's data lacks {needed}")


def bar_items(bar):
    """(URL, caption) of each item of a toolbar, ("private:separator", "") for a separator."""
    return [(item.props.get("URL"), item.props.get("Title", "")) for item in bar.children]


def commands(items):
    return [item for item in items if item[0] != "private:separator"]


def check_toolbars(ui, groups, states):
    """One toolbar per ribbon group in ribbon order; the wide bar; the 2003
    host's bars; each with its name and place in Writer's window."""
    bars = ui.by_name["OfficeToolBar"].by_name
    named = {}
    for node, bar in bars.items():
        resource = "private:resource/toolbar/addon_" + node
        if not check(resource in states, f"WriterWindowState.xcu has nothing for the toolbar {resource}"):
            continue
        state = states[resource].props
        check(state.get("Docked") == "true" and state.get("DockingArea") == "0", f"{node} is not docked at the top")
        x, _, row = state.get("DockPos", "").partition(",")
        place = (int(row), int(x)) if x.isdigit() and row.isdigit() else (-1, -1)
        check(place[0] >= 2, f"{node} is not placed under Writer's two bars: {state.get('DockPos')}")
        named[state.get("UIName")] = (bar, state.get("Visible") == "true", place)
        for url, _ in commands(bar_items(bar)):
            check(url.startswith(SCHEME), f"{node} sends {url}")
        for item in bar.children:
            if item.props.get("URL") != "private:separator":
                check(item.props.get("Context") == "com.sun.star.text.TextDocument", f"{item.props.get('URL')} is not for Writer")
    on_groups = {}
    parts = 0  # the toolbars a group wider than the window takes beyond its first
    for caption, buttons in groups:
        name = "Plendrix " + caption
        if not check(name in named, f"no toolbar is called {name}"):
            continue
        # A group too wide for a 1280-pixel window goes on in "… 2", "… 3".
        names = [name] + [f"{name} {n}" for n in range(2, 10) if f"{name} {n}" in named]
        parts += len(names) - 1
        items = []
        for part in names:
            part_items = bar_items(named[part][0])
            check(part_items and part_items[0][0] != "private:separator" and part_items[-1][0] != "private:separator"
                  and all(a[0] != "private:separator" or b[0] != "private:separator"
                          for a, b in zip(part_items, part_items[1:])),
                  f"{part} has a separator at an end or two in a row")
            check(named[part][1] == named[name][1], f"{part} is not shown at first start as {name} is")
            items += part_items
        same_list(commands(items), [(SCHEME + b.id, b.label) for b in buttons], name)
        for url, _ in commands(items):
            on_groups[url] = on_groups.get(url, 0) + 1
    for url, count in on_groups.items():
        check(count == 1, f"{url} stands on {count} group toolbars")
    # The shown group toolbars come in the ribbon's order, row after row,
    # in at most three rows; the hidden ones keep places of their own.
    shown = [named[f"Plendrix {c}"][2] for c, _ in groups if named.get(f"Plendrix {c}", (0, False))[1]]
    check(shown == sorted(shown), f"the shown group toolbars are not in the ribbon's order: {shown}")
    check(0 < len({row for row, _ in shown}) <= 3, f"the shown toolbars take rows {sorted({row for row, _ in shown})}")
    places = [place for _, _, place in named.values()]
    check(len(set(places)) == len(places), "two toolbars have the same place")
    # The graphs, shapes, formulas and paper tools show; the symbols wait under View ▸ Toolbars.
    for caption in ("图形处理", "公式", "数学作图", "平面几何", "制卷"):
        check(named.get("Plendrix " + caption, (0, False))[1], f"Plendrix {caption} is hidden at first start")
    for caption in ("运算符号", "集合符号", "希腊字母", "其它符号"):
        check(not named.get("Plendrix " + caption, (0, True))[1], f"Plendrix {caption} is shown at first start")

    # The wide toolbar: every button, group after group, hidden, under a
    # node of its own: profiles keep the one bar of earlier versions shown.
    check("org.plendrix.plendrix4word.toolbar" not in bars, "a toolbar has the node whose state profiles keep shown")
    if check("Plendrix 全部按钮" in named, "there is no wide toolbar Plendrix 全部按钮"):
        wide, visible, _ = named["Plendrix 全部按钮"]
        check(not visible, "the wide toolbar is shown at first start")
        expected = []
        for g, (_, buttons) in enumerate(groups):
            if g:
                expected.append(("private:separator", ""))
            expected += [(SCHEME + b.id, b.label) for b in buttons]
        same_list(bar_items(wide), expected, "the wide toolbar")

    # The 2003 host's bars: hidden, each button a ribbon command or, for
    # the commands only they have, their key.
    ribbon = {SCHEME + b.id for _, buttons in groups for b in buttons}
    legacy = {name: entry for name, entry in named.items() if name.startswith("Plendrix 2003 ")}
    for caption in ("主工具栏", "图形处理", "集合符号", "微小调整"):
        check("Plendrix 2003 " + caption in legacy, f"the 2003 host's bar {caption} is not offered")
    for name, (bar, visible, _) in legacy.items():
        check(not visible, f"{name} is shown at first start")
        items = commands(bar_items(bar))
        check(len(items) > 0, f"{name} has no buttons")
        for url, caption in items:
            check(url in ribbon or url.startswith(SCHEME + "key/"),
                  f"{name}: {caption} sends {url}, which is neither a ribbon button's nor a key")
    main_bar = legacy.get("Plendrix 2003 主工具栏")
    main = {caption: url for url, caption in commands(bar_items(main_bar[0]))} if main_bar else {}
    check(main.get("函数图象") == SCHEME + "rxBtnztqt_hstx" and main.get("以图片形式发送到新PPT") == SCHEME + "rxBtnqt_2ppt1",
          "the 2003 main bar's 函数图象 and send to slides do not send the ribbon's commands")
    keys = {url for bar, _, _ in legacy.values() for url, _ in commands(bar_items(bar)) if url.startswith(SCHEME + "key/")}
    check(SCHEME + "key/上移" in keys and SCHEME + "key/批量排版" in keys,
          f"the 2003 bars' own commands (moving by 8 points, 批量排版) are not offered: {sorted(keys)[:5]}")
    check(len(named) == len(groups) + parts + 1 + len(legacy),
          f"{len(named)} toolbars, not one per group (and the parts of wide groups), the wide one and the 2003 bars")


def menu_items(node, path):
    """(path of submenu captions, URL, caption) of every command in a menu."""
    for item in node.children:
        if "Submenu" in item.by_name:
            yield from menu_items(item.by_name["Submenu"], path + (item.props.get("Title"),))
        else:
            yield path, item.props.get("URL"), item.props.get("Title")


def check_menu(ui, groups):
    menus = ui.by_name["OfficeMenuBar"].children
    check(len(menus) == 1 and menus[0].props.get("Title") == "Plendrix", "there is no single Plendrix menu")
    found = list(menu_items(menus[0].by_name["Submenu"], ()))
    expected = [((b.group,) + ((b.menu,) if b.menu else ()), SCHEME + b.id, b.label)
                for _, buttons in groups for b in buttons]
    same_list(found, expected, "the Plendrix menu")


def check_images(package, names, ui, groups):
    urls = {SCHEME + b.id for _, buttons in groups for b in buttons}
    images = ui.by_name["Images"].children
    check(len(images) > 100, f"only {len(images)} buttons have pictures")
    for image in images:
        url = image.props.get("URL")
        check(url in urls, f"a picture is given for {url}, which no button sends")
        files = image.by_name["UserDefinedImages"].props
        for prop, size in (("ImageSmallURL", 16), ("ImageBigURL", 26)):
            path = files.get(prop, "").replace("%origin%/", "")
            if check(path in names, f"{url}: {prop} {path} is not in the package"):
                check(png_size(package, path) == (size, size), f"{path} is not a {size} x {size} PNG")


def main():
    oxt, wordui = sys.argv[1:3]
    groups = read_groups(wordui)
    buttons = sum(len(b) for _, b in groups)
    with zipfile.ZipFile(oxt) as package:
        names = set(package.namelist())
        check_registration(package, names)
        ui = xcu(package, "Addons.xcu").by_name["AddonUI"]
        states = xcu(package, "WriterWindowState.xcu").by_name["UIElements"].by_name["States"].by_name
        check_toolbars(ui, groups, states)
        check_menu(ui, groups)
        check_images(package, names, ui, groups)
    print(f"{len(groups)} groups, {buttons} buttons checked; {len(failures)} problems")
    return report()


if __name__ == "__main__":
    sys.exit(main())
