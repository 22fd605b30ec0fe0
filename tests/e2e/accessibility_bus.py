"""The accessibility bus as a screen reader finds it, for a test's own X display.

A session bus of the test's own carries org.a11y.Bus, whose launcher starts the accessibility
bus and its registry; the bus is told that a screen reader runs, as a screen reader tells it
when it starts. Programs started with env() find all of it, and so does this process once it
has called attach(): pyatspi then walks their trees from outside, over the real bus.
"""

import os
import signal
import subprocess
import time


class AccessibilityBus:
    def __init__(self, display):
        self.display = display
        self.address = None
        self.processes = []

    def _start(self, command, **kwargs):
        # A group of its own: the launcher starts the accessibility bus and the registry.
        process = subprocess.Popen(command, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def __enter__(self):
        # Settings in memory: what the bus is told must not reach the user's own settings.
        session = self._start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              env=dict(os.environ, DISPLAY=self.display,
                                       GSETTINGS_BACKEND="memory"))
        self.address = session.stdout.readline().decode().strip()
        if not self.address:
            self.__exit__()
            raise RuntimeError("the session bus did not start")
        # The session bus starts the launcher when it is first asked for it, as a desktop's does.
        deadline = time.monotonic() + 30
        while self._set("ScreenReaderEnabled", "true") != 0:
            if time.monotonic() > deadline:
                self.__exit__()
                raise RuntimeError("the accessibility bus did not start")
            time.sleep(0.1)
        return self

    def _set(self, name, value):
        return subprocess.run(
            ["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
             "/org/a11y/bus", "--method", "org.freedesktop.DBus.Properties.Set",
             "org.a11y.Status", name, "<%s>" % value],
            env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            process.wait()
            if process.stdout:
                process.stdout.close()
        self.processes = []

    def env(self, base=None):
        return dict(base if base is not None else os.environ, DISPLAY=self.display,
                    DBUS_SESSION_BUS_ADDRESS=self.address, GSETTINGS_BACKEND="memory")

    def attach(self):
        """Points this process at the bus and returns pyatspi, imported only now: it connects
        to the bus it finds as it is imported."""
        os.environ.update(self.env({}))
        import pyatspi  # pylint: disable=import-outside-toplevel
        return pyatspi
