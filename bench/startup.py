#!/usr/bin/env python3
"""Measures how fast kestrel's windows appear, under Xvfb, against the toolkit's floor, and how
much memory kestrel takes.

bench/startup.py [--pairs N] [--read SECONDS] [--bin DIR] [--dump FILE]

Runs N pairs (7 by default), each of minimal_dialog (a Qt Widgets program that shows one dialog of
the disclaimer's size and nothing else) and kestrel, alternating which goes first, each on a fresh
Xvfb; kestrel reads a machine root made from an SMBIOS dump. Per pair:
  minimal      process start to minimal_dialog's dialog mapped on the display
  disclaimer   process start to kestrel's disclaimer mapped
  longest wait the longest the disclaimer took to answer a window manager's ping (sent every
               10 ms while it is read): a click on its buttons waits as long for the same event
               loop, for example while the browser engine starts
  main window  the click on OK (as device input, handled by the server) to the main window
               mapped; the click comes --read seconds (3) after the disclaimer has been mapped,
               as the customer reads it meanwhile; the selector page loads afterwards and is
               not included
  peak memory  the largest resident size of kestrel and its children (the browser engine's
               processes) together, sampled every 10 ms from the disclaimer's map until the
               selector page has loaded
and the two ratios disclaimer / minimal and main window / minimal. Prints each pair, the medians
and the load average. Goals: disclaimer within 1.5 times the minimal start, main window within
2.0 times, peak memory within 388 MB.
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


def connect(xvfb):
    """A client of the new server; its socket can appear a moment before it accepts."""
    for _ in range(100):
        try:
            return XClient(xvfb.number)
        except ConnectionRefusedError:
            time.sleep(0.02)
    return XClient(xvfb.number)


def minimal_run(args, workdir):
    """Process start to minimal_dialog's dialog mapped, in ms."""
    with Xvfb() as xvfb:
        x = connect(xvfb)
        env = dict(os.environ, DISPLAY=xvfb.display, XDG_RUNTIME_DIR=str(workdir))
        started = time.monotonic()
        process = subprocess.Popen([str(args.bin / "minimal_dialog")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            dialog, dialog_seen = x.wait_for_map(DIALOG, 60)
            if not dialog:
                raise RuntimeError("the minimal dialog did not appear")
        finally:
            process.kill()
            process.wait()
            x.close()
    return (dialog_seen - started) * 1000


def kestrel_run(args, workdir):
    root = workdir / "root"
    subprocess.run([str(HERE.parent / "tests" / "support" / "make-fake-root"), str(root),
                    "--dump", args.dump], check=True)
    with Xvfb() as xvfb, SelectorProxy() as proxy:
        x = connect(xvfb)
        env = dict(os.environ, DISPLAY=xvfb.display, KESTREL_ROOT=str(root),
                   XDG_RUNTIME_DIR=str(workdir),
                   QTWEBENGINE_CHROMIUM_FLAGS="--proxy-server=" + proxy.address)
        started = time.monotonic()
        process = subprocess.Popen([str(args.bin / "kestrel")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Sampling from the disclaimer on: before it, the sampler's walks through /proc would
        # compete with kestrel's start for the CPU, which the minimal program's start does not
        # meet; the process tree is a fraction of its peak then.
        sampler = PeakSampler(process.pid)
        try:
            dialog, dialog_seen = x.wait_for_map(DIALOG, 60)
            sampler.start()
            left, top = x.geometry(dialog)[:2]
            stall = read_disclaimer(x, dialog, args.read)
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
            if sampler.is_alive():
                sampler.join()
            if process.poll() is None:
                process.kill()
                process.wait()
            x.close()
    return ((dialog_seen - started) * 1000, stall * 1000, (main_seen - clicked) * 1000,
            sampler.peak / 1024)


def read_disclaimer(x, dialog, seconds):
    """Waits as the customer reads the disclaimer, pinging it meanwhile as a window manager
    would; returns the longest it took to answer, in seconds: a click on OK or Cancel waits as
    long for the same event loop."""
    longest, stamp, end = 0.0, 0, time.monotonic() + seconds
    while time.monotonic() < end:
        stamp += 1
        answered = x.ping(dialog, stamp, 30)
        if answered is None:
            raise RuntimeError("the disclaimer did not answer for 30 s")
        longest = max(longest, answered)
        time.sleep(0.01)
    return longest


def run_in_tempdir(run, args):
    with tempfile.TemporaryDirectory(prefix="kestrel-bench-") as workdir:
        return run(args, pathlib.Path(workdir))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pairs", type=int, default=7)
    parser.add_argument("--read", type=float, default=3.0,
                        help="seconds from the disclaimer on the screen to the click on OK")
    parser.add_argument("--bin", type=pathlib.Path, default=HERE.parent / "build" / "bin")
    parser.add_argument("--dump", default=str(HERE.parent / "tests" / "data" / "smbios" /
                                              "systemd" / "Lenovo-ThinkPad-X280.bin"))
    args = parser.parse_args()
    rows = []
    row_format = "%-6s %8.0f %11.0f %8.0f %12.0f %8.0f %11.2f %12.2f"
    print("%-6s %8s %11s %8s %12s %8s %11s %12s" % (
        "pair", "minimal", "disclaimer", "longest", "main window", "peak MB", "disclaimer/",
        "main window/"))
    print("%-6s %8s %11s %8s %12s %8s %11s %12s" % ("", "ms", "ms", "wait ms", "ms", "",
                                                     "minimal", "minimal"))
    loads = [os.getloadavg()[0]]
    for pair in range(1, args.pairs + 1):
        # Alternate the order, so that neither program always meets the other's after-effects.
        if pair % 2:
            minimal = run_in_tempdir(minimal_run, args)
            disclaimer, stall, main_window, peak = run_in_tempdir(kestrel_run, args)
        else:
            disclaimer, stall, main_window, peak = run_in_tempdir(kestrel_run, args)
            minimal = run_in_tempdir(minimal_run, args)
        row = (minimal, disclaimer, stall, main_window, peak, disclaimer / minimal,
               main_window / minimal)
        rows.append(row)
        loads.append(os.getloadavg()[0])
        print(row_format % ((pair,) + row))
    medians = [statistics.median(column) for column in zip(*rows)]
    print(row_format % (("median",) + tuple(medians)))
    print("load average (1 min) during the run: %.1f to %.1f" % (min(loads), max(loads)))
    print("goals: disclaimer/minimal <= 1.5, main window/minimal <= 2.0, peak <= 388 MB")


if __name__ == "__main__":
    main()
