#!/usr/bin/env python3
"""kestrel.exe under Wine, driven with xdotool on the test prefix's display as a user would.

usage: kestrel_wine_e2e.py SCENARIO --bin DIR --prefix-script PATH

Scenarios:
  copy    OK on the disclaimer, then the main window's copy button: the Windows clipboard holds
          kestrel-scan.exe --report byte for byte, and the browser's GET for the selector page
          reaches a proxy set in the prefix's Internet settings as kestrel-scan.exe --url (blanks
          as %20). Closing the main window ends Kestrel with status 0.
  cancel  Cancel on the disclaimer ends Kestrel at once with status 0, no scan screen shown.

Window positions are the layout's: the disclaimer's client area at (335, 141), the main
window's at (123, 22), so clicks go to absolute screen points.
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from selector_proxy import SelectorProxy  # noqa: E402

TITLE = "Kestrel - System Memory Information"
DIALOG_CLIENT = (335, 141)
MAIN_CLIENT = (123, 22)
OK_BUTTON = (168, 300)
CANCEL_BUTTON = (256, 300)
COPY_BUTTON = (648, 372)
INTERNET_SETTINGS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"


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
        with open(os.environ["WINEPREFIX"] + ".display") as f:
            self.env = dict(os.environ, DISPLAY=f.read().strip())

    def run(self, program, *args):
        return subprocess.run([self.script, "run", program, *args], env=self.env,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)

    def start(self, program):
        return subprocess.Popen([self.script, "run", program], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

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
                if (width > 600) == wide:
                    return window
            time.sleep(0.1)
        fail("the %s did not appear" % ("main window" if wide else "disclaimer"))

    def click(self, client, point):
        self.xdotool("mousemove", str(client[0] + point[0]), str(client[1] + point[1]),
                     "click", "1")

    def set_proxy(self, address):
        host_port = address.split("//", 1)[1]
        self.run("reg", "add", INTERNET_SETTINGS, "/v", "ProxyEnable", "/t", "REG_DWORD",
                 "/d", "1", "/f")
        self.run("reg", "add", INTERNET_SETTINGS, "/v", "ProxyServer", "/t", "REG_SZ",
                 "/d", host_port, "/f")

    def clear_proxy(self):
        self.run("reg", "add", INTERNET_SETTINGS, "/v", "ProxyEnable", "/t", "REG_DWORD",
                 "/d", "0", "/f")


def wait_exit(process, timeout=30):
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        fail("kestrel.exe did not end")


def scenario_copy(prefix):
    report = prefix.run(prefix.exe("kestrel-scan.exe"), "--report").stdout
    address = prefix.run(prefix.exe("kestrel-scan.exe"), "--url").stdout.decode().strip()
    check(report.count(b"\r\n") >= 34, "kestrel-scan.exe --report printed no report")
    expected = address.replace(" ", "%20")
    with SelectorProxy() as proxy:
        prefix.set_proxy(proxy.address)
        try:
            kestrel = prefix.start(prefix.exe("kestrel.exe"))
            prefix.wait_for_window(wide=False)
            prefix.click(DIALOG_CLIENT, OK_BUTTON)
            main = prefix.wait_for_window(wide=True)
            # Wine's request to a proxy names the default port of the address.
            host_end = expected.index("/", len("http://"))
            with_port = expected[:host_end] + ":80" + expected[host_end:]
            targets = proxy.wait_for("http://", 60)
            check(expected in targets or with_port in targets,
                  "the selector GET did not reach the proxy as %s: %s" % (expected, targets))

            prefix.click(MAIN_CLIENT, COPY_BUTTON)
            copied = b""
            deadline = time.monotonic() + 20
            while copied != report and time.monotonic() < deadline:
                time.sleep(0.2)
                copied = prefix.run(prefix.exe("clipboard-text.exe")).stdout
            check(copied == report, "the clipboard does not hold kestrel-scan.exe --report:\n"
                  "%r\n---\n%r" % (copied, report))

            prefix.xdotool("windowactivate", main)
            prefix.xdotool("key", "--window", main, "alt+F4")
            check(wait_exit(kestrel) == 0, "closing the main window did not end Kestrel with 0")
        finally:
            prefix.clear_proxy()


def scenario_cancel(prefix):
    kestrel = prefix.start(prefix.exe("kestrel.exe"))
    prefix.wait_for_window(wide=False)
    prefix.click(DIALOG_CLIENT, CANCEL_BUTTON)
    check(wait_exit(kestrel) == 0, "Cancel did not end Kestrel with status 0")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=["copy", "cancel"])
    parser.add_argument("--bin", required=True)
    parser.add_argument("--prefix-script", required=True)
    args = parser.parse_args()
    prefix = Prefix(args.prefix_script, args.bin)
    {"copy": scenario_copy, "cancel": scenario_cancel}[args.scenario](prefix)
    print("PASS")


if __name__ == "__main__":
    main()
