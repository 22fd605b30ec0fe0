#!/usr/bin/env python3
"""Runs the real kestrel on a private X display and drives it as a user would.

kestrel_e2e.py SCENARIO --bin DIR --make-fake-root SCRIPT [--dump FILE] [--locale NAME]
               [--latin1-maker] [--odd-maker]
               [--screen WxH --scale F --panels TOP,BOTTOM --expect HOW]

  scan    click OK, wait for the main window, check that the selector request that reached a
          loopback proxy is kestrel-scan --url byte for byte, click the copy button and compare the clipboard byte for byte with
          kestrel-scan --report under the same machine root, then close the main window; kestrel
          prints nothing all the while
  cancel  click Cancel: the process ends at once, with no scan
  key     click OK and type a key on the scan screen: the process ends, with no scan
  diagnostics  with the user's QT_LOGGING_RULES asking for the engine's start-up report and the
          user's own engine flags: the report is printed, and names those flags
  nodisplay  start with no display, then with one that cannot be opened: one line and status 1;
          and with no display but the offscreen platform chosen: kestrel runs
  reader  with the accessibility bus up, as a screen reader has it: walk kestrel's windows from
          outside and check what a reader hears of the disclaimer, the values, the lists and
          the selector page
  fit     on a screen of --screen pixels at Qt's scale --scale, less panels of TOP and BOTTOM
          pixels: the disclaimer and the main window lie inside the work area, the main window
          as --expect says (layout: the layout's size and place; shortened: the layout's width,
          the work area's height; scrolls: from the work area's top-left corner, its height,
          wider than the layout by a scroll bar), and its copy button copies the report

The machine is a fake root made from an SMBIOS dump (KESTREL_ROOT). For cancel and key its
/proc files are named pipes that nobody writes: a scan would block on them, so a process that
ends proves that none started.

--locale runs kestrel and kestrel-scan in that locale (LC_ALL); --latin1-maker rewrites the
UTF-8 module maker "Müller RAM" of the odd-strings dump in Latin-1, as some firmware writes it;
--odd-maker gives its system maker the characters that browsers re-encode in an address.
Exit status 77 (skipped) when the locale is not generated here.
"""

import argparse
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import time

from accessibility_bus import AccessibilityBus
from selector_proxy import SelectorProxy
from xsession import SCREEN, XClient, Xvfb

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "ui" / "layout"))
import ui_layout  # noqa: E402

# Window sizes, and click points relative to each window's client area (centres of the
# buttons), as the windows' .ui files lay them out.
_DIALOG = ui_layout.window("Dialog")
_MAIN = ui_layout.window("Form1")
DIALOG = _DIALOG.size
# The client area and the dialog frame Kestrel draws around it.
SPLASH = tuple(n + 6 for n in ui_layout.window("frmSplash").size)
MAIN = _MAIN.size
MAIN_PLACE = _MAIN.place  # the client area's top-left corner on the screen
OK_BUTTON = _DIALOG.centre("OKButton")
CANCEL_BUTTON = _DIALOG.centre("CancelButton")
COPY_BUTTON = _MAIN.centre("clipboardCmd")
TITLE = _MAIN.title

QUERY_KEYS = ["manufacturer%20", "mdlname", "bName", "maxmemory", "totalslots", "memoryspeeds",
              "memorysize", "processorspeed", "site"]
KEY_Q = 0x71
# A system maker of the same length holding what a browser might re-encode in a query.
ODD_MAKER = (b"Kestrel Testwerk GmbH", "K'\"<>\\^`{|} ü%&#+;=!".encode())


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Kestrel:
    """The kestrel process on a display, with its own runtime directory and error log."""

    def __init__(self, binary, display, root, workdir, proxy=None, locale=None, bus=None,
                 scale=None, extra_env=None):
        env = dict(bus.env() if bus else os.environ, DISPLAY=display, KESTREL_ROOT=str(root),
                   XDG_RUNTIME_DIR=str(workdir), **(extra_env or {}))
        if scale:
            env["QT_SCALE_FACTOR"] = str(scale)
        if locale:
            env["LC_ALL"] = locale
        env.pop("WAYLAND_DISPLAY", None)
        if proxy:
            env["QTWEBENGINE_CHROMIUM_FLAGS"] = "--proxy-server=" + proxy.address
        self.log = open(workdir / "kestrel.log", "w+")
        self.process = subprocess.Popen([binary], env=env, stdout=self.log, stderr=self.log)

    def wait(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def output(self):
        """What it has printed so far."""
        self.log.seek(0)
        return self.log.read()

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        return self.output()

    def __enter__(self):
        return self

    def __exit__(self, kind, error, traceback):
        """Stops kestrel; a failed check carries what kestrel printed."""
        output = self.stop()
        if isinstance(error, Failure):
            raise Failure("%s\n--- kestrel's output:\n%s" % (error, output)) from None
        return False


def click(display, window_geometry, point):
    """Starts xdotool clicking there and returns at once: what the click sets off has to be
    watched while xdotool is still winding up. Wait for the returned process."""
    x, y = window_geometry[0] + point[0], window_geometry[1] + point[1]
    return subprocess.Popen(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"],
                            env=dict(os.environ, DISPLAY=display))


def make_root(args, workdir, blocking_proc):
    root = workdir / "root"
    subprocess.run([args.make_fake_root, str(root), "--dump", args.dump], check=True)
    if args.latin1_maker:
        table = root / "sys/firmware/dmi/tables/DMI"
        utf8 = "Müller RAM".encode()
        latin1 = "Müller RAM".encode("latin-1").ljust(len(utf8))  # trailing blanks are trimmed
        check(utf8 in table.read_bytes(), "the dump holds no %r" % utf8)
        table.write_bytes(table.read_bytes().replace(utf8, latin1))
    if args.odd_maker:
        table = root / "sys/firmware/dmi/tables/DMI"
        check(ODD_MAKER[0] in table.read_bytes(), "the dump holds no %r" % ODD_MAKER[0])
        table.write_bytes(table.read_bytes().replace(*ODD_MAKER))
    if blocking_proc:
        for name in ("meminfo", "cpuinfo"):
            (root / "proc" / name).unlink()
            os.mkfifo(root / "proc" / name)
    return root


def scan_output(args, root, option):
    env = dict(os.environ, KESTREL_ROOT=str(root))
    if args.locale:
        env["LC_ALL"] = args.locale
    return subprocess.run([str(args.bin / "kestrel-scan"), option], check=True,
                          capture_output=True, env=env).stdout


def read_clipboard(display):
    env = dict(os.environ, DISPLAY=display)
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env,
                            capture_output=True, timeout=10)
    return result.stdout


def clipboard_once_it_holds(display, expected, timeout=10):
    """What the clipboard holds once it holds expected, or after timeout."""
    deadline = time.monotonic() + timeout
    clipboard = read_clipboard(display)
    while clipboard != expected and time.monotonic() < deadline:
        time.sleep(0.1)
        clipboard = read_clipboard(display)
    return clipboard


def scenario_scan(args, workdir):
    root = make_root(args, workdir, blocking_proc=False)
    report = scan_output(args, root, "--report")
    report.decode("utf-8")  # raises on anything but UTF-8
    if args.latin1_maker:
        check("Müller RAM".encode() in report,
              "the Latin-1 maker is not in the report as UTF-8:\n%r" % report)
    address = scan_output(args, root, "--url").decode().rstrip("\n")
    page = address.split("?")[0]

    with Xvfb() as xvfb, SelectorProxy() as proxy:
        with XClient(xvfb.number) as x, \
                Kestrel(args.bin / "kestrel", xvfb.display, root, workdir, proxy,
                        args.locale) as kestrel:
            dialog, _ = x.wait_for_map(DIALOG, 60)
            check(dialog, "the disclaimer did not appear")
            check(proxy.targets == [], "a request before OK: %s" % proxy.targets)
            click(xvfb.display, x.geometry(dialog), OK_BUTTON).wait()
            main, _ = x.wait_for_map(MAIN, 60)
            check(main, "the main window did not appear")

            targets = proxy.wait_for(page, 60)
            check(targets == [address],
                  "the proxy received %s,\nexpected %s" % (targets, address))
            keys = [pair.split("=")[0] for pair in targets[0].split("?", 1)[1].split("&")]
            check(keys == QUERY_KEYS, "query keys %s" % keys)

            click(xvfb.display, x.geometry(main), COPY_BUTTON).wait()
            clipboard = clipboard_once_it_holds(xvfb.display, report)
            check(clipboard == report,
                  "the clipboard holds %r,\nkestrel-scan --report printed %r" % (clipboard, report))

            # The browser draws in software: an OpenGL driver in the process would cost it some
            # 90 MB and the main window a tenth of a second.
            drivers = opengl_drivers(kestrel.process.pid)
            check(not drivers, "kestrel loaded an OpenGL driver: %s" % drivers)

            x.close_window(main)
            status = kestrel.wait(30)
            check(status == 0, "closing the main window: exit status %s" % status)
            # Nor does it print anything on the way: no diagnostics of Qt's or the engine's.
            check(not kestrel.stop(), "kestrel printed in normal use")


def opengl_drivers(pid):
    """The OpenGL drivers mapped into the process: Mesa's DRI drivers and GLX vendor
    libraries, and the compiler its software drivers bring."""
    with open("/proc/%d/maps" % pid) as maps:
        paths = {line.split(None, 5)[5].strip() for line in maps if len(line.split(None, 5)) == 6}
    return sorted(path for path in paths
                  if "/dri/" in path or re.search(r"/libGLX_\w+\.so|/libLLVM", path))


def start_with_blocked_scan(args, workdir, xvfb):
    # Also kestrel's runtime directory, which a session keeps private.
    workdir.mkdir(mode=0o700, exist_ok=True)
    root = make_root(args, workdir, blocking_proc=True)
    x = XClient(xvfb.number)
    kestrel = Kestrel(args.bin / "kestrel", xvfb.display, root, workdir)
    dialog, _ = x.wait_for_map(DIALOG, 60)
    check(dialog, "the disclaimer did not appear")
    return x, kestrel, x.geometry(dialog)


def scenario_cancel(args, workdir):
    with Xvfb() as xvfb:
        x, kestrel, dialog = start_with_blocked_scan(args, workdir, xvfb)
        with x, kestrel:
            click(xvfb.display, dialog, CANCEL_BUTTON).wait()
            status = kestrel.wait(30)
            check(status == 0, "Cancel: exit status %s (None: still running, scanning?)" % status)
            check(x.wait_for_map(SPLASH, 0)[0] is None, "the scan screen appeared")
        check("Run-time error" not in kestrel.output(), kestrel.output())


def scenario_key(args, workdir):
    """The key has to arrive before the first tick, 10 ms after the scan screen is drawn. The
    key is sent the moment the screen is mapped, a fraction of a millisecond; should a busy
    machine still let the tick win, the scan blocks on the named pipes and this is seen and
    tried again, as it says nothing about Kestrel."""
    for attempt in range(1, 4):
        with Xvfb() as xvfb:
            x, kestrel, dialog = start_with_blocked_scan(args, workdir / str(attempt), xvfb)
            with x, kestrel:
                q = x.keycode(KEY_Q)
                clicking = click(xvfb.display, dialog, OK_BUTTON)
                splash, _ = x.wait_for_map(SPLASH, 60)
                check(splash, "the scan screen did not appear")
                x.send_key(splash, q)
                clicking.wait()
                status = kestrel.wait(10)
                if status is None:
                    print("attempt %d: the first tick came before the key" % attempt)
                    continue
                check(status == 0, "a key on the scan screen: exit status %s" % status)
                check(x.wait_for_map(MAIN, 0)[0] is None, "the main window appeared")
                return
    raise Failure("the key never arrived before the first tick")


def wait_for(find, timeout, message):
    deadline = time.monotonic() + timeout
    while True:
        found = find()
        if found:
            return found
        check(time.monotonic() < deadline, message)
        time.sleep(0.2)


class Reader:
    """What a screen reader sees of one program on the accessibility bus."""

    def __init__(self, pyatspi, pid):
        self.at = pyatspi
        self.pid = pid

    def application(self):
        desktop = self.at.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == self.pid:
                app.clear_cache()
                return app
        return None

    def window(self, role):
        """The program's showing top-level window of that role."""
        app = self.application()
        for window in app or []:
            if window is not None and window.getRole() == role and self.showing(window):
                return window
        return None

    def showing(self, node):
        return node.getState().contains(self.at.STATE_SHOWING)

    def descendants(self, node):
        """The node's descendants, without those of a web page inside it."""
        for child in node:
            if child is not None:
                yield child
                if child.getRole() not in (self.at.ROLE_DOCUMENT_WEB, self.at.ROLE_DOCUMENT_FRAME):
                    yield from self.descendants(child)

    def shown(self, node, role):
        return [n for n in self.descendants(node) if n.getRole() == role and self.showing(n)]

    def labels(self, node, relation):
        targets = []
        for r in node.getRelationSet():
            if r.getRelationType() == relation:
                targets += [r.getTarget(i) for i in range(r.getNTargets())]
        return targets

    def extents(self, node):
        return node.queryComponent().getExtents(self.at.DESKTOP_COORDS)


def rows_of_two(reader, window):
    """(caption, value) pairs as the eye finds them: two labels alone on a row of a panel, the
    caption on the left."""
    pairs = []
    for panel in reader.shown(window, reader.at.ROLE_PANEL):
        rows = {}
        for label in panel:
            if label is not None and label.getRole() == reader.at.ROLE_LABEL and \
                    reader.showing(label):
                rows.setdefault(reader.extents(label).y, []).append(label)
        for row in rows.values():
            if len(row) == 2:
                pairs.append(tuple(sorted(row, key=lambda n: reader.extents(n).x)))
    return pairs


def heading_over(reader, window, box):
    """The label right above the control and over it, as a heading sits."""
    e = reader.extents(box)
    above = [(e.y - (reader.extents(n).y + reader.extents(n).height), n)
             for n in reader.shown(window, reader.at.ROLE_LABEL)
             if reader.extents(n).y < e.y and
             reader.extents(n).x < e.x + e.width and reader.extents(n).x + reader.extents(n).width > e.x]
    return min(above, key=lambda d: d[0])[1] if above else None


def scenario_reader(args, workdir):
    root = make_root(args, workdir, blocking_proc=False)
    with Xvfb() as xvfb, AccessibilityBus(xvfb.display) as bus, SelectorProxy() as proxy:
        reader = Reader(bus.attach(), None)
        at = reader.at
        with Kestrel(args.bin / "kestrel", xvfb.display, root, workdir, proxy,
                     bus=bus) as kestrel:
            reader.pid = kestrel.process.pid
            dialog = wait_for(lambda: reader.window(at.ROLE_DIALOG), 60,
                              "no dialog on the accessibility bus")
            check(dialog.name == TITLE, "the disclaimer is named %r" % dialog.name)
            buttons = {b.name: b for b in reader.shown(dialog, at.ROLE_PUSH_BUTTON)}
            check(sorted(buttons) == ["Cancel", "OK"], "the disclaimer's buttons: %s" % buttons)
            buttons["OK"].queryAction().doAction(0)

            main = wait_for(lambda: reader.window(at.ROLE_FRAME), 60,
                            "no frame on the accessibility bus after OK")
            check(main.name == TITLE, "the main window is named %r" % main.name)

            pairs = rows_of_two(reader, main)
            check(len(pairs) == 17, "%d values beside captions: %s" %
                  (len(pairs), [(c.name, v.name) for c, v in pairs]))
            values = [v for _, v in pairs]
            # What a blank value was read as: the text of a caption, a frame or another control.
            others = {n.name for role in (at.ROLE_LABEL, at.ROLE_PANEL, at.ROLE_LIST,
                                          at.ROLE_PUSH_BUTTON)
                      for n in reader.shown(main, role) if n not in values} | {main.name}
            for caption, value in pairs:
                labelled_by = reader.labels(value, at.RELATION_LABELLED_BY)
                check(labelled_by == [caption], "%r beside %r is labelled by %s" %
                      (value.name, caption.name, [n.name for n in labelled_by]))
                check(value.name and value.name not in others,
                      "the value beside %r reads %r, another control's text" %
                      (caption.name, value.name))
            blank = [v.name for c, v in pairs if v.name == c.name + " not reported"]
            check(blank, "no blank value in this run: %s" % [v.name for v in values])

            lists = reader.shown(main, at.ROLE_LIST)
            check(len(lists) == 3, "%d lists" % len(lists))
            for box in lists:
                heading = heading_over(reader, main, box)
                check(heading and box.name == heading.name,
                      "the list under %r is named %r" % (heading and heading.name, box.name))

            proxy.wait_for("http://", 60)
            heading = wait_for(lambda: page_heading(reader, main), 60,
                               "no heading in the selector page's document")
            check(heading == "Memory selector (stand-in)", "the page's heading: %r" % heading)


def scaled(point, scale):
    return tuple(round(value * scale) for value in point)


def inside(geometry, work):
    x, y, width, height = geometry
    return (x >= work[0] and y >= work[1] and x + width <= work[0] + work[2] and
            y + height <= work[1] + work[3])


def scenario_fit(args, workdir):
    root = make_root(args, workdir, blocking_proc=False)
    report = scan_output(args, root, "--report")
    scale = args.scale
    screen = tuple(map(int, args.screen.split("x")))
    top, bottom = map(int, args.panels.split(","))
    work = (0, top, screen[0], screen[1] - top - bottom)
    with Xvfb(screen) as xvfb, SelectorProxy() as proxy:
        x = XClient(xvfb.number)
        # Announced before kestrel starts, as a desktop's panels are.
        x.set_work_area(*work)
        with x, Kestrel(args.bin / "kestrel", xvfb.display, root, workdir, proxy,
                        scale=scale) as kestrel:
            dialog, _ = x.wait_for_map(scaled(DIALOG, scale), 60)
            check(dialog, "the disclaimer did not appear at %s" % (scaled(DIALOG, scale),))
            placed = x.geometry(dialog)
            check(inside(placed, work), "the disclaimer at %s is not inside the work area %s"
                  % (placed, work))
            click(xvfb.display, placed, scaled(OK_BUTTON, scale)).wait()
            main = None
            while not main:
                event = x.next_event({19}, 60)  # MapNotify
                check(event, "the main window did not appear")
                if x.sizes.get(event[2]) not in (scaled(DIALOG, scale), scaled(SPLASH, scale)):
                    main = event[2]
            shown = x.geometry(main)
            check(inside(shown, work), "the main window at %s is not inside the work area %s"
                  % (shown, work))
            layout = scaled(MAIN, scale)
            expected = {
                "layout": lambda g: g == scaled(MAIN_PLACE, scale) + layout,
                "shortened": lambda g: g[2] == layout[0] and g[1] == work[1] and
                                       g[3] == work[3] < layout[1],
                "scrolls": lambda g: g[:2] == work[:2] and g[3] == work[3] and g[2] > layout[0],
            }[args.expect]
            check(expected(shown), "the main window at %s is not as %s says (layout %s)"
                  % (shown, args.expect, layout))
            proxy.wait_for("http://", 60)

            click(xvfb.display, shown, scaled(COPY_BUTTON, scale)).wait()
            clipboard = clipboard_once_it_holds(xvfb.display, report)
            check(clipboard == report, "the copy button did not copy the report: %r" % clipboard)
            x.close_window(main)
            check(kestrel.wait(30) == 0, "closing the main window did not end kestrel with 0")


def page_heading(reader, window):
    at = reader.at
    for document in reader.shown(window, at.ROLE_DOCUMENT_WEB) + \
            reader.shown(window, at.ROLE_DOCUMENT_FRAME):
        for node in reader.descendants(document):
            if node.getRole() == at.ROLE_HEADING:
                return node.name or node.queryText().getText(0, -1)
    return None


def scenario_diagnostics(args, workdir):
    root = make_root(args, workdir, blocking_proc=False)
    with Xvfb() as xvfb, SelectorProxy() as proxy:
        with XClient(xvfb.number) as x, \
                Kestrel(args.bin / "kestrel", xvfb.display, root, workdir, proxy,
                        extra_env={"QT_LOGGING_RULES": "qt.webenginecontext.info=true"}) as kestrel:
            dialog, _ = x.wait_for_map(DIALOG, 60)
            check(dialog, "the disclaimer did not appear")
            # The engine starts while the disclaimer is up, and reports how as it starts.
            report = wait_for(lambda: re.search(r"Init Parameters:.*?\n\n", kestrel.output(),
                                                re.S), 60,
                              "the engine's start-up report asked for did not come")
            check("qt.webenginecontext:" in kestrel.output(), "the report has no category")
            check(re.search(r"\* +proxy-server +%s" % re.escape(proxy.address), report.group()),
                  "the engine started without the user's flags")


def scenario_nodisplay(args, workdir):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_RUNTIME_DIR"] = str(workdir)
    unused = next(n for n in range(900, 1000) if not os.path.exists("/tmp/.X11-unix/X%d" % n))
    for extra in ({}, {"DISPLAY": ":%d" % unused}):
        result = subprocess.run([str(args.bin / "kestrel")], env=dict(env, **extra),
                                capture_output=True, text=True, timeout=60)
        lines = result.stderr.splitlines()
        check(result.returncode == 1 and len(lines) == 1 and "kestrel-scan" in lines[0] and
              "display" in lines[0] and not result.stdout,
              "with %s: status %d, stdout %r, stderr %r" %
              (extra or "no display", result.returncode, result.stdout, result.stderr))
    # A platform the user chose is used as chosen: kestrel runs and waits at its disclaimer.
    with open(workdir / "offscreen.log", "w+") as log:
        process = subprocess.Popen([str(args.bin / "kestrel")],
                                   env=dict(env, QT_QPA_PLATFORM="offscreen"),
                                   stdout=log, stderr=log)
        try:
            status = process.wait(5)
        except subprocess.TimeoutExpired:
            status = None
        finally:
            process.kill()
            process.wait()
        log.seek(0)
        check(status is None, "offscreen: ended with status %s: %s" % (status, log.read()))


SCENARIOS = {"scan": scenario_scan, "cancel": scenario_cancel, "key": scenario_key,
             "reader": scenario_reader, "nodisplay": scenario_nodisplay,
             "fit": scenario_fit, "diagnostics": scenario_diagnostics}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--bin", type=pathlib.Path, required=True)
    parser.add_argument("--make-fake-root", required=True)
    parser.add_argument("--dump", required=True)
    parser.add_argument("--locale")
    parser.add_argument("--latin1-maker", action="store_true")
    parser.add_argument("--screen", default="%dx%d" % SCREEN)
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--panels", default="0,0")
    parser.add_argument("--expect", choices=("layout", "shortened", "scrolls"), default="layout")
    parser.add_argument("--odd-maker", action="store_true")
    args = parser.parse_args()
    if args.locale:
        wanted = args.locale.lower().replace("-", "")
        have = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
        if wanted not in have.replace("-", "").split():
            print("skipped: the locale %s is not generated here" % args.locale)
            return 77
    with tempfile.TemporaryDirectory(prefix="kestrel-e2e-") as workdir:
        try:
            SCENARIOS[args.scenario](args, pathlib.Path(workdir))
        except Failure as failure:
            print("FAILED: %s" % failure)
            return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
