#!/usr/bin/env python3
"""Runs the real kestrel on a private X display and drives it as a user would.

kestrel_e2e.py SCENARIO --bin DIR --make-fake-root SCRIPT [--dump FILE] [--locale NAME]
               [--latin1-maker] [--odd-maker]

  scan    click OK, wait for the main window, check that the selector request that reached a
          loopback proxy is kestrel-scan --url byte for byte, click the copy button and compare the clipboard byte for byte with
          kestrel-scan --report under the same machine root, then close the main window
  cancel  click Cancel: the process ends at once, with no scan
  key     click OK and type a key on the scan screen: the process ends, with no scan

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

from selector_proxy import SelectorProxy
from xsession import XClient, Xvfb

# Window sizes, and click points relative to each window's client area (centres of the
# buttons, from their twips: 15 to a pixel).
DIALOG = (410, 322)
SPLASH = (242 + 6, 78 + 6)  # the client area and the dialog frame Kestrel draws around it
MAIN = (785, 706)
OK_BUTTON = (1920 // 15 + 40, 4320 // 15 + 12)
CANCEL_BUTTON = (3240 // 15 + 40, 4320 // 15 + 12)
# clipboardCmd sits in Frame8, in Frame1 (which starts 8 pixels above the client area).
COPY_BUTTON = ((7560 + 960) // 15 + 80, (-120 + 3840 + 1680) // 15 + 12)

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

    def __init__(self, binary, display, root, workdir, proxy=None, locale=None):
        env = dict(os.environ, DISPLAY=display, KESTREL_ROOT=str(root),
                   XDG_RUNTIME_DIR=str(workdir))
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

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.seek(0)
        return self.log.read()


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


def scenario_scan(args, workdir):
    root = make_root(args, workdir, blocking_proc=False)
    report = scan_output(args, root, "--report")
    report.decode("utf-8")  # raises on anything but UTF-8
    if args.latin1_maker:
        check("Müller RAM".encode() in report,
              "the Latin-1 maker is not in the report as UTF-8:\n%r" % report)
    address = scan_output(args, root, "--url").decode().rstrip("\n")
    expected_target = address
    page = address.split("?")[0]

    with Xvfb() as xvfb, SelectorProxy() as proxy:
        x = XClient(xvfb.number)
        kestrel = Kestrel(args.bin / "kestrel", xvfb.display, root, workdir, proxy, args.locale)
        try:
            dialog, _ = x.wait_for_map(DIALOG, 60)
            check(dialog, "the disclaimer did not appear")
            check(proxy.targets == [], "a request before OK: %s" % proxy.targets)
            click(xvfb.display, x.geometry(dialog), OK_BUTTON).wait()
            main, _ = x.wait_for_map(MAIN, 60)
            check(main, "the main window did not appear")

            targets = proxy.wait_for(page, 60)
            check(targets == [expected_target],
                  "the proxy received %s,\nexpected %s" % (targets, expected_target))
            keys = [pair.split("=")[0] for pair in targets[0].split("?", 1)[1].split("&")]
            check(keys == QUERY_KEYS, "query keys %s" % keys)

            click(xvfb.display, x.geometry(main), COPY_BUTTON).wait()
            deadline = time.monotonic() + 10
            clipboard = read_clipboard(xvfb.display)
            while clipboard != report and time.monotonic() < deadline:
                time.sleep(0.1)
                clipboard = read_clipboard(xvfb.display)
            check(clipboard == report,
                  "the clipboard holds %r,\nkestrel-scan --report printed %r" % (clipboard, report))

            # The browser draws in software: an OpenGL driver in the process would cost it some
            # 90 MB and the main window a tenth of a second.
            drivers = opengl_drivers(kestrel.process.pid)
            check(not drivers, "kestrel loaded an OpenGL driver: %s" % drivers)

            x.close_window(main)
            status = kestrel.wait(30)
            check(status == 0, "closing the main window: exit status %s" % status)
        except Failure as failure:
            raise Failure("%s\n--- kestrel's output:\n%s" % (failure, kestrel.stop()))
        finally:
            kestrel.stop()
            x.close()


def opengl_drivers(pid):
    """The OpenGL drivers mapped into the process: Mesa's DRI drivers and GLX vendor
    libraries, and the compiler its software drivers bring."""
    with open("/proc/%d/maps" % pid) as maps:
        paths = {line.split(None, 5)[5].strip() for line in maps if len(line.split(None, 5)) == 6}
    return sorted(path for path in paths
                  if "/dri/" in path or re.search(r"/libGLX_\w+\.so|/libLLVM", path))


def start_with_blocked_scan(args, workdir, xvfb):
    workdir.mkdir(exist_ok=True)
    root = make_root(args, workdir, blocking_proc=True)
    x = XClient(xvfb.number)
    kestrel = Kestrel(args.bin / "kestrel", xvfb.display, root, workdir)
    dialog, _ = x.wait_for_map(DIALOG, 60)
    check(dialog, "the disclaimer did not appear")
    return x, kestrel, x.geometry(dialog)


def scenario_cancel(args, workdir):
    with Xvfb() as xvfb:
        x, kestrel, dialog = start_with_blocked_scan(args, workdir, xvfb)
        try:
            click(xvfb.display, dialog, CANCEL_BUTTON).wait()
            status = kestrel.wait(30)
            check(status == 0, "Cancel: exit status %s (None: still running, scanning?)" % status)
            check(x.wait_for_map(SPLASH, 0)[0] is None, "the scan screen appeared")
        finally:
            output = kestrel.stop()
            x.close()
        check("Run-time error" not in output, output)


def scenario_key(args, workdir):
    """The key has to arrive before the first tick, 10 ms after the scan screen is drawn. The
    key is sent the moment the screen is mapped, a fraction of a millisecond; should a busy
    machine still let the tick win, the scan blocks on the named pipes and this is seen and
    tried again, as it says nothing about Kestrel."""
    for attempt in range(1, 4):
        with Xvfb() as xvfb:
            x, kestrel, dialog = start_with_blocked_scan(args, workdir / str(attempt), xvfb)
            try:
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
            finally:
                kestrel.stop()
                x.close()
    raise Failure("the key never arrived before the first tick")


SCENARIOS = {"scan": scenario_scan, "cancel": scenario_cancel, "key": scenario_key}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--bin", type=pathlib.Path, required=True)
    parser.add_argument("--make-fake-root", required=True)
    parser.add_argument("--dump", required=True)
    parser.add_argument("--locale")
    parser.add_argument("--latin1-maker", action="store_true")
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
