#!/usr/bin/env python3
"""Turns the windows' Qt Designer files into the C++ layout table of the Win32 front end.

usage: make_layout_table.py OUTPUT.cpp DEFAULT_FAMILY DEFAULT_POINTS FILE.ui...

The .ui files stay the only place where the windows are laid out; this script reads what the
Win32 windows need of them (class, name, rectangle in twips, parent, caption, resolved font,
text colour, visibility, word wrap, tab order, picture, buddy) and fails on anything it does not
know, so a layout change that the Win32 side cannot show is caught at build time.

Controls are listed in the order the Win32 side creates them: parents before their children,
and each caption immediately before the control it names (its buddy), because Windows screen
readers name a control by the static just before it in the child order.
"""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import PurePosixPath

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


def window_of(path, default_font):
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
    _, _, width, height = twips_rect(window)
    return {
        "name": window.get("name"),
        "title": text_of(window, "windowTitle"),
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


def font_literal(font):
    family, points, bold = font
    return f"{{{literal(family)}, {points!r}, {str(bold).lower()}}}"


def emit(windows, sources):
    lines = [
        "// Generated by ui/win32/make_layout_table.py from " + ", ".join(sources) + ".",
        "// Do not edit: change the .ui files instead.",
        '#include "ui/win32/layout_table.h"',
        "",
        "namespace kestrel::layout {",
        "namespace {",
        "",
    ]
    for w in windows:
        lines.append(f"constexpr ControlLayout k{w['name']}Controls[] = {{")
        for c in w["controls"]:
            colour = "std::nullopt" if c["colour"] is None else f"0x{c['colour']:06X}u"
            rect = ", ".join(map(str, c["rect"]))
            lines.append(
                f"    {{ControlKind::{c['kind']}, {literal(c['name'])}, {literal(c['parent'])}, "
                f"{{{rect}}}, {literal(c['caption'])}, {font_literal(c['font'])}, {colour}, "
                f"{str(c['visible']).lower()}, {str(c['wordWrap']).lower()}, {c['tab']}, "
                f"{literal(c['picture'])}, {literal(c['buddy'])}}},")
        lines.append("};")
        lines.append("")
    lines.append("constexpr WindowLayout kWindows[] = {")
    for w in windows:
        lines.append(
            f"    {{{literal(w['name'])}, {literal(w['title'])}, {w['width']}, {w['height']}, "
            f"{font_literal(w['font'])}, k{w['name']}Controls}},")
    lines += [
        "};",
        "",
        "}  // namespace",
        "",
        "std::span<const WindowLayout> windowLayouts() { return kWindows; }",
        "",
        "}  // namespace kestrel::layout",
        "",
    ]
    return "\n".join(lines)


def main(argv):
    if len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    output, family, points, sources = argv[1], argv[2], float(argv[3]), argv[4:]
    try:
        windows = [window_of(path, (family, points, False)) for path in sources]
    except (LayoutError, ET.ParseError, AttributeError, ValueError) as error:
        print(f"make_layout_table: {error}", file=sys.stderr)
        return 1
    text = emit(windows, [PurePosixPath(s).name for s in sources])
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
