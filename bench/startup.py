#!/usr/bin/env python3
"""Measures how fast kestrel's windows appear, under Xvfb, and how much memory it takes.

bench/startup.py [--runs N] [--bin DIR] [--dump FILE]

For each run, on a fresh Xvfb and a machine root made from an SMBIOS dump:
  disclaimer   process start to the disclaimer mapped on the display
  main window  the click on OK (as device input, handled by the server) to the main window
               mapped; the selector page loads afterwards and is not included
  peak memory  the largest resident size of kestrel and its children (the browser engine's
               processes) together, sampled every 10 ms until the selector page has loaded
Prints each run and the median. Goals: disclaimer within 400 ms, main window within 300 ms.
"""

import argparse
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "e2e"))

from kestrel_e2e import DIALOG, MAIN, OK_BUTTON  # noqa: E402
from selector_proxy import SelectorProxy  # noqa: E402
from xsession import XClient, Xvfb  # noqa: E402


def tree_rss_kb(pid):
    """Resident size of pid and all its descendants, in kB."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
                children.setdefault(parent, []).append(int(entry))
            except (OSError, IndexError, ValueError):
                pass
    total, todo = 0, [pid]
    while todo:
        current = todo.pop()
        todo.extend(children.get(current, []))
        try:
            with open("/proc/%d/status" % current) as f:
                total += next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
        except (OSError, StopIteration):
            pass
    return total


class PeakSampler(threading.Thread):
    def __init__(self, pid):
        super().__init__(daemon=True)
        self.pid, self.peak, self.running = pid, 0, True

    def run(self):
        while self.running:
            self.peak = max(self.peak, tree_rss_kb(self.pid))
            time.sleep(0.01)


def one_run(args, workdir):
    root = workdir / "root"
    subprocess.run([str(HERE.parent / "tests" / "support" / "make-fake-root"), str(root),
                    "--dump", args.dump], check=True)
    with Xvfb() as xvfb, SelectorProxy() as proxy:
        x = XClient(xvfb.number)
        env = dict(os.environ, DISPLAY=xvfb.display, KESTREL_ROOT=str(root),
                   XDG_RUNTIME_DIR=str(workdir),
                   QTWEBENGINE_CHROMIUM_FLAGS="--proxy-server=" + proxy.address)
        started = time.monotonic()
        process = subprocess.Popen([str(args.bin / "kestrel")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        sampler = PeakSampler(process.pid)
        sampler.start()
        try:
            dialog, dialog_seen = x.wait_for_map(DIALOG, 60)
            left, top = x.geometry(dialog)[:2]
            time.sleep(0.3)  # let the dialog settle, as a reader would
            x.click(left + OK_BUTTON[0], top + OK_BUTTON[1])
            clicked = time.monotonic()
            main, main_seen = x.wait_for_map(MAIN, 60)
            if not (dialog and main):
                raise RuntimeError("a window did not appear")
            proxy.wait_for("http://", 60)
            time.sleep(1.0)  # the page renders; the engine's processes grow meanwhile
            x.close_window(main)
            process.wait(30)
        finally:
            sampler.running = False
            sampler.join()
            if process.poll() is None:
                process.kill()
                process.wait()
            x.close()
    return ((dialog_seen - started) * 1000, (main_seen - clicked) * 1000, sampler.peak / 1024)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--bin", type=pathlib.Path, default=HERE.parent / "build" / "bin")
    parser.add_argument("--dump", default=str(HERE.parent / "tests" / "data" / "smbios" /
                                              "systemd" / "Lenovo-ThinkPad-X280.bin"))
    args = parser.parse_args()
    results = []
    print("%-4s %14s %16s %14s" % ("run", "disclaimer ms", "main window ms", "peak MB"))
    for run in range(1, args.runs + 1):
        with tempfile.TemporaryDirectory(prefix="kestrel-bench-") as workdir:
            result = one_run(args, pathlib.Path(workdir))
        results.append(result)
        print("%-4d %14.0f %16.0f %14.0f" % ((run,) + result))
    medians = [statistics.median(column) for column in zip(*results)]
    print("%-4s %14.0f %16.0f %14.0f" % (("median",) + tuple(medians)))
    print("goals: disclaimer <= 400 ms, main window <= 300 ms after OK")


if __name__ == "__main__":
    main()
