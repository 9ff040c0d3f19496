#!/usr/bin/python3
"""Checks plendrix.oxt without an office: the registration files agree with
each other and with what the package holds, the toolbar holds every button
of the ribbon definition in ribbon order with its caption (a separator
between groups), the "Plendrix" menu holds each button under its group's
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


def check_toolbar(ui, groups, states):
    bars = ui.by_name["OfficeToolBar"].by_name
    check(len(bars) == 1, f"expected one toolbar, found {len(bars)}")
    name, bar = next(iter(bars.items()))
    resource = "private:resource/toolbar/addon_" + name
    check(resource in states, f"WriterWindowState.xcu does not name the toolbar {resource}")
    if resource in states:
        check(states[resource].props.get("UIName") == "Plendrix", "the toolbar is not called Plendrix")
    expected = []
    for g, (_, buttons) in enumerate(groups):
        if g:
            expected.append(("private:separator", ""))
        expected += [(SCHEME + b.id, b.label) for b in buttons]
    found = [(item.props.get("URL"), item.props.get("Title", "")) for item in bar.children]
    same_list(found, expected, "the toolbar")
    for item in bar.children:
        if item.props.get("URL") != "private:separator":
            check(item.props.get("Context") == "com.sun.star.text.TextDocument", f"{item.props.get('URL')} is not for Writer")


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
        check_toolbar(ui, groups, states)
        check_menu(ui, groups)
        check_images(package, names, ui, groups)
    print(f"{len(groups)} groups, {buttons} buttons checked; {len(failures)} problems")
    return report()


if __name__ == "__main__":
    sys.exit(main())
