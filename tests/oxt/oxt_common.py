"""What the extension's checks share: the ribbon definition as they read
it (its groups in order, each with its buttons: identifier, caption, the
group's caption and identifier and the caption of the drop-down menu a
button stands in, if any), the scheme of the buttons' URLs, and the list
of failed checks."""
import xml.etree.ElementTree as ET

NS = {"ui": "http://schemas.microsoft.com/office/2006/01/customui"}
SCHEME = "vnd.plendrix:"
failures = []


def check(ok, message):
    """Records `message` as a failure unless `ok`; returns `ok`."""
    if not ok:
        failures.append(message)
    return ok


def report():
    """Prints the failures; the exit status of the check."""
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


class Button:
    def __init__(self, node, group, menu):
        self.id = node.get("id")
        self.label = node.get("label")
        self.group = group.get("label")
        self.group_id = group.get("id")
        self.menu = menu


def read_groups(path):
    """[(group caption, [Button, ...]), ...] in ribbon order."""
    # Kept in UTF-8 although its declaration names the GB2312 it is shipped in.
    with open(path, encoding="utf-8") as f:
        root = ET.fromstring(f.read())
    groups = []
    for group in root.iterfind("ui:ribbon/ui:tabs/ui:tab/ui:group", NS):
        buttons = []
        for child in group:
            if child.tag.endswith("}menu"):
                buttons += [Button(b, group, child.get("label")) for b in child.iterfind("ui:button", NS)]
            else:
                buttons.append(Button(child, group, None))
        groups.append((group.get("label"), buttons))
    return groups
