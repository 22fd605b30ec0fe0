#!/usr/bin/env python3
"""Measures how fast kestrel.exe's windows appear under Wine, beside a minimal Win32 program.

bench/wine_startup.py [--runs N] [--build DIR]

Uses the Windows build's test prefix (DIR/wine-prefix, started here with tests/wine-prefix, so
the Wine server is running) and its Xvfb display. For each run:
  first window  start of first-window.exe (a minimal program) to its window shown
  disclaimer    start of kestrel.exe to the disclaimer shown
  main window   the click on OK to the main window shown (the scan over Wine's instrumentation
                included)
Prints each run and the medians. Goal: the disclaimer within 1.5 times the first window.
"""

import argparse
import os
import pathlib
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
PREFIX_SCRIPT = ROOT / "tests" / "wine-prefix"
sys.path.insert(0, str(ROOT / "tests" / "e2e" / "windows"))
from kestrel_wine_e2e import DIALOG_CLIENT, OK_BUTTON, TITLE, WIDE  # noqa: E402

# The disclaimer's OK button on the screen.
OK_ON_SCREEN = tuple(p + c for p, c in zip(DIALOG_CLIENT, OK_BUTTON))


def shown(env, title, wide=None):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                         env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout.split()
    for window in out:
        if wide is None:
            return window
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout.decode()
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        width = int(values.get("WIDTH", "0"))  # a window that went meanwhile has none
        if (width > WIDE) == wide:
            return window
    return None


def wait_shown(env, title, wide=None, timeout=60):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if shown(env, title, wide):
            return time.monotonic()
        time.sleep(0.005)
    raise RuntimeError("no window %r" % title)


def one_run(env, bin_dir):
    start = time.monotonic()
    first = subprocess.Popen([str(PREFIX_SCRIPT), "run", str(bin_dir / "first-window.exe")],
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    first_window = wait_shown(env, "first window") - start
    first.kill()
    first.wait()

    start = time.monotonic()
    kestrel = subprocess.Popen([str(PREFIX_SCRIPT), "run", str(bin_dir / "kestrel.exe")],
                               env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    disclaimer = wait_shown(env, TITLE, wide=False) - start
    clicked = time.monotonic()
    subprocess.run(["xdotool", "mousemove", str(OK_ON_SCREEN[0]), str(OK_ON_SCREEN[1]), "click",
                    "1"],
                   env=env)
    main = wait_shown(env, TITLE, wide=True) - clicked
    kestrel.kill()
    kestrel.wait()
    return first_window, disclaimer, main


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--build", default=str(ROOT / "build-windows"))
    args = parser.parse_args()
    build = pathlib.Path(args.build)
    env = dict(os.environ, WINEPREFIX=str(build / "wine-prefix"), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="C.UTF-8")
    env.pop("DISPLAY", None)
    subprocess.run([str(PREFIX_SCRIPT), "start"], env=env, check=True)
    try:
        env["DISPLAY"] = (build / "wine-prefix.display").read_text().strip()
        runs = []
        for i in range(args.runs):
            runs.append(one_run(env, build / "bin"))
            print("run %d: first window %.3f s, disclaimer %.3f s, main window %.3f s" %
                  ((i + 1,) + runs[-1]))
            time.sleep(1)
        first, disclaimer, main_window = (statistics.median(r[k] for r in runs) for k in range(3))
        print("median: first window %.3f s, disclaimer %.3f s (%.2f times), main window %.3f s" %
              (first, disclaimer, disclaimer / first, main_window))
    finally:
        subprocess.run([str(PREFIX_SCRIPT), "stop"], env=env)


if __name__ == "__main__":
    main()
