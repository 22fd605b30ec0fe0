#!/usr/bin/env python3
"""kestrel.exe under Wine, driven with xdotool on the test prefix's display as a user would.

usage: kestrel_wine_e2e.py SCENARIO --bin DIR --prefix-script PATH [--dump-decoding FILE]
                           [--probe-url URL] [--screen WxH --dpi N --panels TOP,BOTTOM
                           --expect HOW]

Scenarios:
  copy      OK on the disclaimer, then the main window's copy button: the Windows clipboard
            holds kestrel-scan.exe --report byte for byte, and the browser's GET for the
            selector page reaches a proxy set in the prefix's Internet settings as
            kestrel-scan.exe --url byte for byte. Closing the main window ends Kestrel with
            status 0.
  address   On a machine whose maker and board name hold what a browser might re-encode in an
            address (quotes, an apostrophe, blanks, < > \ ^ ` { | }, non-ASCII, & # + ; =),
            the browser's GET for the selector page is kestrel-scan.exe --url byte for byte.
  cancel    Cancel on the disclaimer ends Kestrel at once with status 0, no scan screen shown.
  identity  On a real machine's identity (the firmware strings of --dump-decoding, which Wine's
            instrumentation answers from /sys/class/dmi/id): the main window's captions and the
            copied report show it; each value comes just after its caption in the child order,
            and each module list just after its heading, as screen readers name them; a click
            on a row of any module list selects that row in all three; the close box ends
            Kestrel with status 0.
  drawing   On the same identity, with a model version too long for one line, on a screen of
            --dpi dots per inch: a screenshot shows the start of the serial number in blue under
            its caption's rectangle, the long value's first line only, and the module lists'
            top borders whole under their headings.
  probe     The hidden Command1 button pressed: the probe's GET for --probe-url, its host
            resolved to a loopback server, carries the probe's user agent; the message box shows
            the body's first 1000 bytes, with the OK button only, and the connection is closed
            by then.
  error     Wine's instrumentation disabled: after OK, the error box says "Run-time error: " and
            what kestrel-scan.exe says of the same failure, and Kestrel ends with status 1
            without showing the main window.
  fit       On a prefix of its own, started on a display of --screen pixels at --dpi, less
            panels of TOP and BOTTOM pixels: the disclaimer and the main window lie inside the
            work area, the main window as --expect says (layout: the layout's client size;
            shortened: the layout's width and the work area's height; scrolls: from the work
            area's top-left corner at its height, with a vertical scroll bar that brings the
            browser's lower edge into view), and the copy button copies the report.
  kept      A browser emulation value for kestrel.exe that the user had before Kestrel started
            is left as found, while Kestrel runs and after it ends.

Every scenario checks that Kestrel, while it runs, has the browser render in its current engine
(FEATURE_BROWSER_EMULATION, 11001, under HKCU) and that after it ends the setting is as it was
before it started: Kestrel keeps no settings.

address, identity, drawing and probe run in a mount namespace of their own (unshare -m, root only), where
/sys/class and /etc/hosts are replaced for Kestrel alone; elsewhere they exit with 77 (skipped).
Window positions are the layout's: the disclaimer's client area at (335, 141), the main
window's at (123, 22), so clicks go to absolute screen points; the others come from
window-controls.exe, which reads Kestrel's windows from the Windows side.
"""

import argparse
import contextlib
import json
import os
import subprocess
import sys
import tempfile
import time
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, ".."))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "ui", "layout"))
from selector_proxy import SelectorProxy  # noqa: E402
from probe_server import ProbeServer  # noqa: E402
import ui_layout  # noqa: E402

# Places and click points at 96 dpi, as the windows' .ui files lay them out.
_DIALOG = ui_layout.window("Dialog")
_MAIN = ui_layout.window("Form1")
# The disclaimer and the main window share the title; at 96 dpi the main window is the wide one.
WIDE = (_DIALOG.size[0] + _MAIN.size[0]) // 2
TITLE = _MAIN.title
DIALOG_CLIENT = _DIALOG.place
MAIN_CLIENT = _MAIN.place
OK_BUTTON = _DIALOG.centre("OKButton")
CANCEL_BUTTON = _DIALOG.centre("CancelButton")
COPY_BUTTON = _MAIN.centre("clipboardCmd")
COPY_CAPTION = "Copy System Info To Clipboard"
BROWSER_CLASS = "KestrelBrowserSite"
INTERNET_SETTINGS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"
BROWSER_EMULATION = (r"HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl"
                     r"\FEATURE_BROWSER_EMULATION")
CURRENT_ENGINE = "0x2af9"  # 11001, as reg query writes a REG_DWORD
DESKTOP_SETTINGS = r"HKCU\Control Panel\Desktop"
SKIPPED = 77
UNANSWERED = 3  # window-controls.exe: a window did not answer in time
# The files of /sys/class/dmi/id that Wine makes its firmware table from (as strace shows it
# reading them), each from its line of a dmidecode decoding. Wine leaves a file that is missing
# out of its table's strings and so shifts the ones after it: every file the decoding can give
# is written. The first eight are those Kestrel reads.
DMI_FILES = {
    "sys_vendor": ("System Information", "Manufacturer"),
    "product_name": ("System Information", "Product Name"),
    "product_version": ("System Information", "Version"),
    "product_serial": ("System Information", "Serial Number"),
    "board_vendor": ("Base Board Information", "Manufacturer"),
    "board_name": ("Base Board Information", "Product Name"),
    "bios_vendor": ("BIOS Information", "Vendor"),
    "bios_version": ("BIOS Information", "Version"),
    "bios_date": ("BIOS Information", "Release Date"),
    "product_sku": ("System Information", "SKU Number"),
    "product_family": ("System Information", "Family"),
    "board_version": ("Base Board Information", "Version"),
    "board_serial": ("Base Board Information", "Serial Number"),
    "board_asset_tag": ("Base Board Information", "Asset Tag"),
}
KESTREL_READS = list(DMI_FILES)[:8]
# The caption before the value label of each of them, and the headings of the module lists.
CAPTIONS = {
    "sys_vendor": "Manufacturer",
    "product_name": "Model",
    "product_version": "Version",
    "product_serial": "Identifying No",
    "board_vendor": "Manufacturer",
    "board_name": "Model",
    "bios_vendor": "Manufacturer",
    "bios_version": "Version",
}
LIST_HEADINGS = ["Slots", "Memory Size", "Memory Speed"]
BLUE = (0, 0, 255)


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


class Prefix:
    """Runs programs in the test prefix (tests/wine-prefix run) and xdotool on its display."""

    def __init__(self, script, bin_dir):
        self.script = script
        self.bin = bin_dir
        self.started = []
        self.emulation_before = None
        with open(os.environ["WINEPREFIX"] + ".display") as f:
            self.env = dict(os.environ, DISPLAY=f.read().strip())

    def run(self, program, *args, timeout=120):
        return subprocess.run([self.script, "run", program, *args], env=self.env,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)

    def clicked(self, caption):
        """Whether window-controls.exe pressed the button captioned so in a window titled
        TITLE. A run that Wine leaves hanging, seen once while a window was being made, counts
        as not yet and is asked again."""
        try:
            return self.run(self.exe("window-controls.exe"), TITLE, "--click", caption,
                            timeout=20).returncode == 0
        except subprocess.TimeoutExpired:
            return False

    def start(self, program):
        self.started.append(subprocess.Popen([self.script, "run", program], env=self.env,
                                             stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL))
        return self.started[-1]

    def stop_started(self):
        """Ends what a failed check left running, so that the next test finds no window of it."""
        for process in self.started:
            if process.poll() is None:
                process.kill()
                process.wait()

    def exe(self, name):
        return os.path.join(self.bin, name)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL).stdout.decode()

    def windows(self):
        """(id, width) of every window titled TITLE that is shown."""
        found = []
        for window in self.xdotool("search", "--onlyvisible", "--name", "^" + TITLE + "$").split():
            geometry = self.xdotool("getwindowgeometry", "--shell", window)
            values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
            found.append((window, int(values.get("WIDTH", "0"))))
        return found

    def wait_for_window(self, wide, timeout=60):
        """The shown window titled TITLE: the main window when wide, else the disclaimer."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for window, width in self.windows():
                if (width > WIDE) == wide:
                    return window
            time.sleep(0.1)
        fail("the %s did not appear" % ("main window" if wide else "disclaimer"))

    def click(self, client, point):
        self.xdotool("mousemove", str(client[0] + point[0]), str(client[1] + point[1]),
                     "click", "1")

    def click_at(self, point):
        self.click((0, 0), point)

    def window_controls(self, *args):
        """window-controls.exe's run on Kestrel's windows, made again while a busy window
        leaves one of its questions unanswered."""
        def answered():
            run = self.run(self.exe("window-controls.exe"), TITLE, *args)
            return run if run.returncode != UNANSWERED else None

        return wait_until(answered, "Kestrel's windows did not answer window-controls.exe")

    def shown(self):
        """Kestrel's shown windows as window-controls.exe reads them, by window class."""
        read = self.window_controls()
        found = {}
        for window in map(json.loads, filter(None, read.stdout.decode().splitlines())):
            found.setdefault(window["class"], []).append(window)
        return found

    def main_window(self):
        """The main window as window-controls.exe reads it, once it is shown. Known by its copy
        button, not its width: at 144 dpi the disclaimer is as wide as the main window's floor."""
        return wait_until(lambda: window_with(self, COPY_CAPTION), "the main window did not appear")

    def message_box(self):
        return wait_until(lambda: self.shown().get("#32770", [None])[0],
                          "no message box appeared")

    def press(self, caption):
        """Presses the button captioned so in a window titled TITLE, shown or hidden."""
        check(self.window_controls("--click", caption).returncode == 0,
              "no button %r to press" % caption)

    def set_proxy(self, address):
        host_port = address.split("//", 1)[1]
        self.run("reg", "add", INTERNET_SETTINGS, "/v", "ProxyEnable", "/t", "REG_DWORD",
                 "/d", "1", "/f")
        self.run("reg", "add", INTERNET_SETTINGS, "/v", "ProxyServer", "/t", "REG_SZ",
                 "/d", host_port, "/f")

    def browser_emulation(self):
        """Whether the emulation key exists, and kestrel.exe's value in it as reg query shows it
        (None where there is none)."""
        if self.run("reg", "query", BROWSER_EMULATION).returncode != 0:
            return (False, None)
        listed = self.run("reg", "query", BROWSER_EMULATION, "/v", "kestrel.exe")
        for line in listed.stdout.decode(errors="replace").splitlines():
            words = line.split()
            if len(words) == 3 and words[0].lower() == "kestrel.exe":
                return (True, words[1] + " " + words[2])
        return (True, None)

    def start_kestrel(self):
        """Starts kestrel.exe and waits for its disclaimer; by then the browser's emulation
        setting is Kestrel's, or the user's where there was one."""
        kestrel = self.start(self.exe("kestrel.exe"))
        self.wait_for_window(wide=False)
        before = self.emulation_before[1]
        check(self.browser_emulation() == (True, before or "REG_DWORD " + CURRENT_ENGINE),
              "with the disclaimer up, the browser emulation setting is %r" %
              (self.browser_emulation(),))
        return kestrel

    def set_dpi(self, dpi):
        """The screen's dots per inch for programs started from now on."""
        self.run("reg", "add", DESKTOP_SETTINGS, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                 str(dpi), "/f")

    def reset_dpi(self):
        self.run("reg", "delete", DESKTOP_SETTINGS, "/v", "LogPixels", "/f")

    def screenshot(self):
        shot = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60)
        check(shot.returncode == 0, "no screenshot of the display")
        return Screenshot(shot.stdout)

    def clear_proxy(self):
        self.run("reg", "add", INTERNET_SETTINGS, "/v", "ProxyEnable", "/t", "REG_DWORD",
                 "/d", "0", "/f")


class Screenshot:
    """The display's pixels, from a binary PPM (P6) with one byte per colour."""

    def __init__(self, ppm):
        fields, end = [], 0
        while len(fields) < 4:
            start = end
            while ppm[start:start + 1].isspace():
                start += 1
            end = start
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[start:end])
        check(fields[0] == b"P6" and fields[3] == b"255", "the screenshot is no 8-bit PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = ppm[end + 1:]

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.data[at:at + 3])

    def blue_in(self, left, top, right, bottom):
        """Whether any pixel of the rectangle is the value labels' blue text."""
        return any(self.pixel(x, y) == BLUE for y in range(top, bottom)
                   for x in range(left, right))


def wait_until(probe, message, timeout=60):
    """probe()'s first true answer, asked again until it gives one."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        answer = probe()
        if answer:
            return answer
        time.sleep(0.2)
    fail(message)


def wait_exit(process, timeout=30):
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        fail("kestrel.exe did not end")


def texts(window, kind):
    return [c["text"] for c in window["controls"] if c["class"] == kind and c["shown"]]


def start_to_main_window(prefix):
    kestrel = prefix.start_kestrel()
    prefix.click(DIALOG_CLIENT, OK_BUTTON)
    return kestrel


def check_copy(prefix, report, at=None):
    """The copy button (at that point of the screen, else at its layout place) leaves the
    Windows clipboard holding report, byte for byte."""
    if at:
        prefix.click_at(at)
    else:
        prefix.click(MAIN_CLIENT, COPY_BUTTON)
    copied = b""
    deadline = time.monotonic() + 20
    while copied != report and time.monotonic() < deadline:
        time.sleep(0.2)
        copied = prefix.run(prefix.exe("clipboard-text.exe")).stdout
    check(copied == report, "the clipboard does not hold kestrel-scan.exe --report:\n"
          "%r\n---\n%r" % (copied, report))


def check_message_box(box, text):
    """A message box shows text, with the OK button only and no icon."""
    # The box's icon holder is there without text whether or not it holds an icon.
    shown = [t for t in texts(box, "Static") if t]
    check(shown == [text], "the message box shows %r, not %r" % (shown, text))
    check(texts(box, "Button") == ["OK"], "the message box has the buttons %r"
          % texts(box, "Button"))
    check(not any(c.get("icon") for c in box["controls"]), "the message box shows an icon")


def in_private_mounts():
    """Runs this script again in a mount namespace of its own, or exits as skipped where the
    system does not allow one."""
    if os.environ.get("KESTREL_PRIVATE_MOUNTS") == "1":
        return
    if subprocess.run(["unshare", "-m", "true"], stderr=subprocess.DEVNULL).returncode != 0:
        print("SKIP: no private mount namespace here (unshare -m needs root)")
        sys.exit(SKIPPED)
    os.execvpe("unshare", ["unshare", "-m", "--propagation", "private", sys.executable,
                           *sys.argv], dict(os.environ, KESTREL_PRIVATE_MOUNTS="1"))


def mount(*args):
    subprocess.run(["mount", *args], check=True)


def decoded_strings(decoding):
    """{(section, field): text} of a dmidecode decoding, each from the section's first record."""
    strings = {}
    section = None
    with open(decoding, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if not line.startswith("\t"):
                section = line
            elif ": " in line:
                field, _, text = line[1:].partition(": ")
                strings.setdefault((section, field), text)
    return strings


def stand_up_identity(decoding, **replaced):
    """Replaces /sys/class with a dmi/id of the decoded machine's strings, with the files named
    in replaced holding the texts given there instead; returns them."""
    strings = decoded_strings(decoding)
    identity = {name: strings[key] for name, key in DMI_FILES.items() if key in strings}
    missing = [name for name in KESTREL_READS if name not in identity]
    check(not missing, "%s gives no %s" % (decoding, ", ".join(missing)))
    identity.update(replaced)
    mount("-t", "tmpfs", "-o", "mode=0755", "kestrel-dmi", "/sys/class")
    os.makedirs("/sys/class/dmi/id")
    for name, text in identity.items():
        with open("/sys/class/dmi/id/" + name, "w", encoding="utf-8") as f:
            f.write(text + "\n")
    return identity


def check_selector_request(proxy, address):
    """The browser's GET for the selector page reached the proxy as address, byte for byte."""
    # Wine's request to a proxy names the default port of the address.
    host_end = address.index("/", len("http://"))
    with_port = address[:host_end] + ":80" + address[host_end:]
    targets = proxy.wait_for("http://", 60)
    check(address in targets or with_port in targets,
          "the selector GET did not reach the proxy as %s: %s" % (address, targets))


@contextlib.contextmanager
def proxied(prefix):
    """A loopback proxy that the prefix's browser sends its requests through, for the block."""
    with SelectorProxy() as proxy:
        prefix.set_proxy(proxy.address)
        try:
            yield proxy
        finally:
            prefix.clear_proxy()


def close_main_window(prefix, kestrel, main):
    # Typed, not sent to the window: Wine would keep the keys of a sent event down, and the next
    # program's first window would see Alt+F4 still held.
    prefix.xdotool("windowactivate", "--sync", main)
    prefix.xdotool("key", "alt+F4")
    check(wait_exit(kestrel) == 0, "closing the main window did not end Kestrel with 0")


def scenario_copy(prefix, args):
    report = prefix.run(prefix.exe("kestrel-scan.exe"), "--report").stdout
    address = prefix.run(prefix.exe("kestrel-scan.exe"), "--url").stdout.decode().strip()
    check(report.count(b"\r\n") >= 34, "kestrel-scan.exe --report printed no report")
    with proxied(prefix) as proxy:
        kestrel = start_to_main_window(prefix)
        main = prefix.wait_for_window(wide=True)
        check_selector_request(proxy, address)
        check_copy(prefix, report)
        close_main_window(prefix, kestrel, main)


def scenario_address(prefix, args):
    in_private_mounts()
    stand_up_identity(args.dump_decoding, sys_vendor="O'Neil \"<Büro>\" & Co",
                      board_name="\\^`{|}#+;=%")
    address = prefix.run(prefix.exe("kestrel-scan.exe"), "--url").stdout.decode().strip()
    check("O%27Neil" in address, "kestrel-scan.exe --url shows no maker: %r" % address)
    with proxied(prefix) as proxy:
        kestrel = start_to_main_window(prefix)
        main = prefix.wait_for_window(wide=True)
        check_selector_request(proxy, address)
        close_main_window(prefix, kestrel, main)


def scenario_cancel(prefix, args):
    kestrel = prefix.start_kestrel()
    prefix.click(DIALOG_CLIENT, CANCEL_BUTTON)
    check(wait_exit(kestrel) == 0, "Cancel did not end Kestrel with status 0")


def scenario_kept(prefix, args):
    """IE 10 mode, which a user could have chosen for a program of that name."""
    key_existed, earlier = prefix.emulation_before
    prefix.run("reg", "add", BROWSER_EMULATION, "/v", "kestrel.exe", "/t", "REG_DWORD", "/d",
               "10000", "/f")
    try:
        prefix.emulation_before = prefix.browser_emulation()
        check(prefix.emulation_before == (True, "REG_DWORD 0x2710"),
              "reg add did not set the value: %r" % (prefix.emulation_before,))
        scenario_cancel(prefix, args)
        check(prefix.browser_emulation() == prefix.emulation_before,
              "Kestrel changed the user's value: %r" % (prefix.browser_emulation(),))
    finally:
        # Back to what the prefix held, a value an earlier run left behind included.
        if earlier:
            kind, data = earlier.split()
            prefix.run("reg", "add", BROWSER_EMULATION, "/v", "kestrel.exe", "/t", kind, "/d",
                       str(int(data, 0)) if kind == "REG_DWORD" else data, "/f")
        elif key_existed:
            prefix.run("reg", "delete", BROWSER_EMULATION, "/v", "kestrel.exe", "/f")
        else:
            prefix.run("reg", "delete", BROWSER_EMULATION, "/f")


def scenario_identity(prefix, args):
    in_private_mounts()
    identity = stand_up_identity(args.dump_decoding)
    report = prefix.run(prefix.exe("kestrel-scan.exe"), "--report").stdout
    lines = report.decode().split("\r\n")
    for name in KESTREL_READS:
        check(any(line.endswith(identity[name]) for line in lines),
              "kestrel-scan.exe --report does not show %s %r:\n%s" % (name, identity[name],
                                                                    report.decode()))
    kestrel = start_to_main_window(prefix)
    main = prefix.main_window()
    captions = texts(main, "Static")
    for name in KESTREL_READS:
        check(identity[name] in captions, "no caption of the main window shows %s %r: %r"
              % (name, identity[name], captions))
    check_named_by_captions(main, identity)
    check_copy(prefix, report)

    # Each list in turn: a click on its last row selects that row in all three.
    def lists(window):
        return [c for c in window["controls"] if c["class"] == "ListBox"]

    def all_on(row):
        window = prefix.main_window()
        return window if all(c["selected"] == row for c in lists(window)) else None

    check(len(lists(main)) == 3 and all(c["rows"] > 0 for c in lists(main)),
          "the module lists are not filled")
    for index in range(3):
        clicked = lists(main)[index]
        row = clicked["rows"] - 1
        prefix.click_at((clicked["client"][0] + 4,
                         clicked["client"][1] + row * clicked["rowHeight"] + 2))
        main = wait_until(lambda: all_on(row), "a click on row %d of module list %d did not "
                          "select it in all three" % (row, index), timeout=10)

    prefix.click_at(main["close"])
    check(wait_exit(kestrel) == 0, "the close box did not end Kestrel with status 0")


def check_named_by_captions(main, identity):
    """Each value comes just after its caption among its siblings, each module list just after
    its heading: the static that screen readers name a control by."""
    def previous(control):
        return (control["previous"] or {}).get("class"), (control["previous"] or {}).get("text")

    for name, caption in CAPTIONS.items():
        for value in (c for c in main["controls"] if c["text"] == identity[name] and c["shown"]):
            check(previous(value) == ("Static", caption), "the value %s %r comes after %r, not "
                  "the caption %r" % (name, identity[name], previous(value), caption))
    lists = [c for c in main["controls"] if c["class"] == "ListBox"]
    check([previous(c) for c in lists] == [("Static", h) for h in LIST_HEADINGS],
          "the module lists come after %r" % [previous(c) for c in lists])


def scenario_drawing(prefix, args):
    in_private_mounts()
    long_version = ("ThinkPad X280 " * 8).strip()
    identity = stand_up_identity(args.dump_decoding, product_version=long_version)
    prefix.set_dpi(args.dpi)
    try:
        check_drawing(prefix, identity, long_version)
    finally:
        prefix.reset_dpi()


def check_drawing(prefix, identity, long_version):
    kestrel = prefix.start(prefix.exe("kestrel.exe"))
    # Pressed from the Windows side: the disclaimer's place on the screen scales with it.
    # A press whose run hung may still have landed: then the main window is the answer.
    wait_until(lambda: prefix.clicked("OK") or window_with(prefix, COPY_CAPTION),
               "the disclaimer did not appear")
    main = prefix.main_window()

    def shown_text(text):
        found = [c for c in main["controls"] if c["text"] == text and c["shown"]]
        check(len(found) == 1, "%d shown controls say %r" % (len(found), text))
        return found[0]["rect"]

    serial = shown_text(identity["product_serial"])
    caption = shown_text("Identifying No")
    check(caption[2] > serial[0], "the caption %r no longer reaches into the serial %r: the "
          "test shows nothing" % (caption, serial))
    # The serial's first glyph lies under the caption's rectangle.
    under_caption = (serial[0], serial[1], caption[2], serial[3])

    def serial_drawn():
        shot = prefix.screenshot()
        return shot if shot.blue_in(*serial) else None

    shot = wait_until(serial_drawn, "the serial %r is not drawn at all"
                      % identity["product_serial"], 20)
    check(shot.blue_in(*under_caption), "the serial %r is drawn without its first glyph, which "
          "its caption covers" % identity["product_serial"])

    long_value = shown_text(long_version)
    first_line_bottom = long_value[1] + 3 * (long_value[3] - long_value[1]) // 4
    check(shot.blue_in(long_value[0], long_value[1], long_value[2], first_line_bottom),
          "the long model version is not drawn")
    check(not shot.blue_in(long_value[0], first_line_bottom, long_value[2], long_value[3]),
          "the long model version shows the top of its second line")

    for box in (c["rect"] for c in main["controls"] if c["class"] == "ListBox"):
        border = {shot.pixel(x, box[1]) for x in range(box[0] + 2, box[2] - 2)}
        check(len(border) == 1, "the top border of the module list at %r is broken: %r"
              % (box, border))
    # The window fits the screen at any dpi, so its close box is there to click.
    prefix.click_at(main["close"])
    check(wait_exit(kestrel) == 0, "the close box did not end Kestrel with status 0")


def scenario_probe(prefix, args):
    in_private_mounts()
    url = urllib.parse.urlsplit(args.probe_url)
    with ProbeServer(url.port or 80) as server:
        if server.unavailable:
            print("SKIP: port %d on 127.0.0.1 is taken: %s" % (url.port or 80, server.unavailable))
            sys.exit(SKIPPED)
        with tempfile.NamedTemporaryFile("w", suffix=".hosts") as hosts:
            hosts.write("127.0.0.1 localhost %s\n" % url.hostname)
            hosts.flush()
            mount("--bind", hosts.name, "/etc/hosts")
            kestrel = start_to_main_window(prefix)
            prefix.main_window()
            prefix.press("Command1")
            box = prefix.message_box()
        exchange = server.exchange(timeout=10)
        check(exchange is not None, "the probe's request did not reach the server")
        target = url.path + ("?" + url.query if url.query else "")
        check(exchange.request_line == "GET %s HTTP/1.1" % target,
              "the probe asked %r" % exchange.request_line)
        check("User-Agent: API-Guide test program" in exchange.header_lines,
              "the probe's headers: %r" % exchange.header_lines)
        check_message_box(box, server.body[:1000].decode("ascii"))
        check(exchange.client_closed, "the probe's connection was still open with its box shown")
    prefix.press("OK")
    main = wait_until(lambda: "#32770" not in prefix.shown() and prefix.main_window(),
                      "the probe's box did not go")
    prefix.click_at(main["close"])
    check(wait_exit(kestrel) == 0, "the close box did not end Kestrel with status 0")


def scenario_error(prefix, args):
    # Without its provider library the instrumentation cannot be reached at all.
    prefix.env["WINEDLLOVERRIDES"] = prefix.env.get("WINEDLLOVERRIDES", "") + ";wbemprox="
    scan = prefix.run(prefix.exe("kestrel-scan.exe"), "--report")
    check(scan.returncode == 1, "kestrel-scan.exe did not fail without the instrumentation")
    failure = scan.stderr.decode().strip().splitlines()[-1].removeprefix("kestrel-scan: ")
    kestrel = start_to_main_window(prefix)
    box = prefix.message_box()
    check_message_box(box, "Run-time error: " + failure)
    check(not any(w["rect"][2] - w["rect"][0] > WIDE for w in prefix.shown().get("KestrelForm", [])),
          "the main window was shown beside the error box")
    prefix.press("OK")
    check(wait_exit(kestrel) == 1, "Kestrel did not end with status 1 after the error box")


def window_with(prefix, caption):
    """Kestrel's shown window that has a control captioned so, as window-controls.exe reads it."""
    return next((w for w in prefix.shown().get("KestrelForm", [])
                 if any(c["text"] == caption and c["shown"] for c in w["controls"])), None)


def control_captioned(window, caption):
    return next(c for c in window["controls"] if c["text"] == caption)


def centre(rect):
    return ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)


def inside(rect, area):
    return (rect[0] >= area[0] and rect[1] >= area[1] and rect[2] <= area[2] and
            rect[3] <= area[3])


def scenario_fit(prefix, args):
    report = prefix.run(prefix.exe("kestrel-scan.exe"), "--report").stdout
    check(report.count(b"\r\n") >= 34, "kestrel-scan.exe --report printed no report")
    kestrel = prefix.start(prefix.exe("kestrel.exe"))
    dialog = wait_until(lambda: window_with(prefix, "OK"), "the disclaimer did not appear")
    work = dialog["workArea"]
    check(inside(dialog["rect"], work), "the disclaimer at %s is not inside the work area %s"
          % (dialog["rect"], work))
    prefix.click_at(centre(control_captioned(dialog, "OK")["rect"]))
    main = prefix.main_window()
    outer, client = main["rect"], main["clientRect"]
    check(inside(outer, work), "the main window at %s is not inside the work area %s"
          % (outer, work))
    layout = tuple(round(n * args.dpi / 96) for n in _MAIN.size)
    size = (client[2] - client[0], client[3] - client[1])
    fills_height = outer[3] - outer[1] == work[3] - work[1]
    expected = {
        "layout": size == layout and main["scrollBars"] == [False, False],
        "shortened": size[0] == layout[0] and size[1] < layout[1] and fills_height and
                     main["scrollBars"] == [False, False],
        "scrolls": outer[:2] == work[:2] and fills_height and main["scrollBars"] == [False, True],
    }[args.expect]
    check(expected, "the main window (outer %s, client %s, scroll bars %s) is not as %s says "
          "(layout %s)" % (outer, client, main["scrollBars"], args.expect, layout))

    check_copy(prefix, report, centre(control_captioned(main, COPY_CAPTION)["rect"]))

    def browser_bottom(window):
        return next(c["rect"][3] for c in window["controls"] if c["class"] == BROWSER_CLASS)

    if args.expect == "scrolls":
        check(browser_bottom(main) > client[3], "the browser is whole before scrolling")
        # The scroll bar's track, just above its lower arrow: a page down per click.
        arrow = round(17 * args.dpi / 96)
        for _ in range(3):
            prefix.click_at((client[2] + arrow // 2, client[3] - arrow - 4))
        main = wait_until(lambda: (lambda w: w if browser_bottom(w) <= client[3] else None)(
            window_with(prefix, COPY_CAPTION)), "scrolling did not bring the browser into view",
            timeout=10)
    prefix.click_at(main["close"])
    check(wait_exit(kestrel) == 0, "the close box did not end Kestrel with status 0")


SCENARIOS = {"copy": scenario_copy, "address": scenario_address, "cancel": scenario_cancel,
             "identity": scenario_identity, "probe": scenario_probe, "error": scenario_error,
             "fit": scenario_fit, "kept": scenario_kept,
             "drawing": scenario_drawing}


def start_own_prefix(args):
    """Starts the prefix ($WINEPREFIX, this test's own) on a display of the screen's size with
    its panels, at the dpi."""
    subprocess.run([args.prefix_script, "start"], check=True, timeout=600,
                   env=dict(os.environ, KESTREL_WINE_SCREEN=args.screen,
                            KESTREL_WINE_DPI=str(args.dpi), KESTREL_WINE_PANELS=args.panels))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=SCENARIOS)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--prefix-script", required=True)
    parser.add_argument("--dump-decoding")
    parser.add_argument("--probe-url")
    parser.add_argument("--screen")
    parser.add_argument("--dpi", type=int, default=96)
    parser.add_argument("--panels", default="0,0")
    parser.add_argument("--expect", choices=("layout", "shortened", "scrolls"))
    args = parser.parse_args()
    if args.scenario == "fit":
        start_own_prefix(args)
    prefix = Prefix(args.prefix_script, args.bin)
    before = prefix.emulation_before = prefix.browser_emulation()
    try:
        SCENARIOS[args.scenario](prefix, args)
    finally:
        prefix.stop_started()
    try:
        check(prefix.browser_emulation() == before, "Kestrel left the browser emulation setting "
              "%r, not as it was before it started: %r" % (prefix.browser_emulation(), before))
    finally:
        if args.scenario == "fit":
            subprocess.run([args.prefix_script, "stop"], stdout=subprocess.DEVNULL)
    print("PASS")


if __name__ == "__main__":
    main()
