"""The windows' Qt Designer files (ui/layout/*.ui) as the rest of Kestrel reads them.

One reading for every user: the C++ generators (the Win32 layout table, the control names
header) and the scripts that drive the real windows and need their sizes, places and click
points. Standard library only.

Geometry in the .ui files is in 96-dpi pixels; Kestrel's layouts are measured in twips, 15 to
such a pixel. A top-level window's x/y is where its client area's top-left corner goes on the
screen (Qt's uic ignores it); 0, 0 means the window has no place of its own and is centred.
"""
import re
import xml.etree.ElementTree as ET
from pathlib import Path, PurePosixPath

# The .ui files beside this module.
FOLDER = Path(__file__).resolve().parent
TWIPS_PER_PIXEL = 15

KINDS = {
    "QGroupBox": "frame",
    "QLabel": "label",
    "ClickableLabel": "link",  # the promoted label, in whichever namespace
    "QPlainTextEdit": "textBox",
    "QPushButton": "button",
    "QListWidget": "listBox",
    "BrowserHost": "browser",  # the embedded browser's place; the view is made at run time
}
# Without a <tabstops> list, Qt's tab order is the order of creation of these.
FOCUSABLE = {"textBox", "button", "listBox", "browser"}
CAPTION_PROPERTY = {"frame": "title", "textBox": "plainText"}

STYLE_COLOUR = re.compile(r"^color:\s*#([0-9a-fA-F]{6})$")
STYLE_FONT = re.compile(r'^font:\s*(bold\s+)?([0-9.]+)pt\s+"([^"]+)"$')


class LayoutError(Exception):
    pass


def prop(widget, name):
    return widget.find(f"property[@name='{name}']")


def text_of(widget, name):
    p = prop(widget, name)
    if p is None:
        return ""
    s = p.find("string")
    return (s.text or "") if s is not None else ""


def twips_rect(widget):
    r = prop(widget, "geometry").find("rect")
    return [int(r.find(k).text) * TWIPS_PER_PIXEL for k in ("x", "y", "width", "height")]


def font_of(widget, inherited):
    family, points, bold = inherited
    p = prop(widget, "font")
    if p is not None:
        f = p.find("font")
        if f.find("family") is not None:
            family = f.find("family").text
        if f.find("pointsize") is not None:
            points = float(f.find("pointsize").text)
        if f.find("bold") is not None:
            bold = f.find("bold").text == "true"
    return family, points, bold


def style_of(widget, name, font):
    """Applies the widget's style sheet: its text colour and font, nothing else."""
    colour = None
    for rule in filter(None, (r.strip() for r in text_of(widget, "styleSheet").split(";"))):
        if m := STYLE_COLOUR.match(rule):
            colour = int(m.group(1), 16)
        elif m := STYLE_FONT.match(rule):
            font = (m.group(3), float(m.group(2)), bool(m.group(1)))
        else:
            raise LayoutError(f"{name}: style sheet rule '{rule}' is not supported")
    return colour, font


def buddy_of(widget):
    p = prop(widget, "buddy")
    if p is None:
        return ""
    return p.find("cstring").text or ""


def captions_before_buddies(widgets):
    """The sibling widgets in creation order: a caption moves to just before its buddy."""
    names = {w.get("name") for w in widgets if not buddy_of(w)}
    captions = {}
    for w in widgets:
        if buddy := buddy_of(w):
            if buddy not in names:
                raise LayoutError(f"{w.get('name')}: buddy {buddy} is not a sibling without a "
                                  "buddy of its own")
            if buddy in captions:
                raise LayoutError(f"{buddy}: named by both {captions[buddy].get('name')} and "
                                  f"{w.get('name')}")
            captions[buddy] = w
    ordered = []
    for w in widgets:
        if buddy_of(w):
            continue
        if w.get("name") in captions:
            ordered.append(captions[w.get("name")])
        ordered.append(w)
    return ordered


def controls_of(parent, parent_name, inherited_font, out):
    for widget in captions_before_buddies(parent.findall("widget")):
        qt_class, name = widget.get("class").split("::")[-1], widget.get("name")
        if qt_class not in KINDS:
            raise LayoutError(f"{name}: widget class {qt_class} has no Win32 counterpart")
        kind = KINDS[qt_class]
        font = font_of(widget, inherited_font)
        colour, own_font = style_of(widget, name, font)
        if widget.findall("widget") and (colour is not None or own_font != font):
            raise LayoutError(f"{name}: a style sheet on a container would reach its children")
        pixmap = prop(widget, "pixmap")
        visible = prop(widget, "visible")
        wrap = prop(widget, "wordWrap")
        out.append({
            "kind": kind,
            "name": name,
            "parent": parent_name,
            "rect": twips_rect(widget),
            "caption": text_of(widget, CAPTION_PROPERTY.get(kind, "text")),
            "font": own_font,
            "colour": colour,
            "visible": visible is None or visible.find("bool").text == "true",
            "wordWrap": wrap is not None and wrap.find("bool").text == "true",
            "picture": PurePosixPath(pixmap.find("pixmap").text).name if pixmap is not None else "",
            "buddy": buddy_of(widget),
        })
        controls_of(widget, name, font, out)


def window_of(path, default_font=("", 0.0, False)):
    """The window laid out in path; default_font is what its controls inherit."""
    root = ET.parse(path).getroot()
    window = root.find("widget")
    controls = []
    controls_of(window, "", default_font, controls)
    names = [c["name"] for c in controls]
    stops = root.find("tabstops")
    if stops is not None:
        order = [s.text for s in stops.findall("tabstop")]
        unknown = set(order) - set(names)
        if unknown:
            raise LayoutError(f"{path}: tab stops name no control: {sorted(unknown)}")
    else:
        order = [c["name"] for c in controls if c["kind"] in FOCUSABLE]
    for c in controls:
        c["tab"] = order.index(c["name"]) if c["name"] in order else -1
    x, y, width, height = twips_rect(window)
    return {
        "name": window.get("name"),
        "title": text_of(window, "windowTitle"),
        "place": (x, y) if (x, y) != (0, 0) else None,
        "width": width,
        "height": height,
        "font": default_font,
        "controls": controls,
    }


def literal(text):
    out = []
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if ch in '"\\':
            out.append("\\" + ch)
        elif 0x20 <= byte < 0x7F:
            out.append(ch)
        else:
            out.append(f"\\{byte:03o}")
    return '"' + "".join(out) + '"'




class Window:
    """A top-level window of the layout as a user meets it, in 96-dpi pixels."""

    def __init__(self, layout):
        self.name = layout["name"]
        self.title = layout["title"]
        self.size = (layout["width"] // TWIPS_PER_PIXEL, layout["height"] // TWIPS_PER_PIXEL)
        # The client area's top-left corner on the screen; None: centred.
        self.place = (None if layout["place"] is None else
                      tuple(t // TWIPS_PER_PIXEL for t in layout["place"]))
        self._controls = {c["name"]: c for c in layout["controls"]}

    def rect(self, name):
        """The control's (x, y, width, height) in the window's client area."""
        if name not in self._controls:
            raise LayoutError(f"the window {self.name} has no control {name}")
        control = self._controls[name]
        x, y, width, height = control["rect"]
        while control["parent"]:
            control = self._controls[control["parent"]]
            x, y = x + control["rect"][0], y + control["rect"][1]
        return tuple(t // TWIPS_PER_PIXEL for t in (x, y, width, height))

    def centre(self, name):
        """Where a click on the control lands, in the client area."""
        x, y, width, height = self.rect(name)
        return (x + width // 2, y + height // 2)


def window(name, folder=FOLDER):
    """The window of that name (Dialog, frmSplash, Form1) among folder's .ui files."""
    for path in sorted(Path(folder).glob("*.ui")):
        root = ET.parse(path).getroot()
        if root.find("widget").get("name") == name:
            return Window(window_of(path))
    raise LayoutError(f"no .ui file in {folder} lays out a window {name}")
