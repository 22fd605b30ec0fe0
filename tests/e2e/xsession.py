"""A private X display for whole-program tests, and the few X11 requests they need.

Xvfb runs on a display number of its own choosing and goes away with the session. The
client speaks the X11 protocol over the display's socket with the standard library only: it
watches top-level windows being mapped (with the time it saw them), reads their geometry,
sends a key straight to a window and asks a window to close as a window manager would.
"""

import os
import select
import socket
import struct
import subprocess
import time

SCREEN = (1280, 1024)

CREATE_NOTIFY = 16
MAP_NOTIFY = 19
CONFIGURE_NOTIFY = 22
STRUCTURE_NOTIFY_MASK = 1 << 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
CW_EVENT_MASK = 1 << 11


class Xvfb:
    """A virtual X server on a free display; use as a context manager."""

    def __init__(self, screen=SCREEN):
        self.screen = screen
        self.number = None
        self.process = None

    def __enter__(self):
        # Xvfb picks the number itself and writes it once it accepts clients: choosing a number
        # here would race with other tests doing the same, and two of them would share a server.
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % self.screen,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number.isdigit():
            self.process.kill()
            self.process.wait()
            raise RuntimeError("Xvfb did not start")
        self.number = int(number)
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    @property
    def display(self):
        return ":%d" % self.number


def _pad(n):
    return (4 - n % 4) % 4


class XClient:
    def __init__(self, display_number):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect("/tmp/.X11-unix/X%d" % display_number)
        self.sock.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, 0, 0))
        head = self._read(8)
        if head[0] != 1:
            raise RuntimeError("X server refused the connection")
        data = self._read(struct.unpack_from("<H", head, 6)[0] * 4)
        vendor_length = struct.unpack_from("<H", data, 16)[0]
        formats = data[21]
        self.min_keycode, self.max_keycode = data[26], data[27]
        screen = 32 + vendor_length + _pad(vendor_length) + 8 * formats
        self.root = struct.unpack_from("<I", data, screen)[0]
        self.sequence = 0
        self.events = []
        self.sizes = {}  # window -> (width, height), from the events that announce them
        self.ping_atoms = None  # WM_PROTOCOLS and _NET_WM_PING, once the first ping needs them
        self._request(struct.pack("<BxHIII", 2, 4, self.root, CW_EVENT_MASK,
                                  SUBSTRUCTURE_NOTIFY_MASK))

    def close(self):
        self.sock.close()

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    # --- wire -----------------------------------------------------------------------------

    def _read(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise RuntimeError("X server closed the connection")
            data += chunk
        return data

    def _request(self, data):
        self.sock.sendall(data)
        self.sequence = (self.sequence + 1) & 0xFFFF
        return self.sequence

    def _packet(self):
        packet = self._read(32)
        code = packet[0] & 0x7F
        if code == 1:
            packet += self._read(struct.unpack_from("<I", packet, 4)[0] * 4)
        elif code == CREATE_NOTIFY:
            window, _, _, width, height = struct.unpack_from("<IhhHH", packet, 8)
            self.sizes[window] = (width, height)
        elif code == CONFIGURE_NOTIFY:
            window, _, _, _, width, height = struct.unpack_from("<IIhhHH", packet, 8)
            self.sizes[window] = (width, height)
        return packet

    def _reply(self, sequence):
        """The reply to the request, or None when the server answered it with an error."""
        while True:
            packet = self._packet()
            if packet[0] in (0, 1) and struct.unpack_from("<H", packet, 2)[0] == sequence:
                return packet if packet[0] == 1 else None
            self.events.append((time.monotonic(), packet))

    # --- events ---------------------------------------------------------------------------

    def next_event(self, codes, timeout):
        """(time seen, code, window) of the next event with one of these codes, or None."""
        deadline = time.monotonic() + timeout
        while True:
            while self.events:
                seen, packet = self.events.pop(0)
                if packet[0] & 0x7F in codes:
                    return seen, packet[0] & 0x7F, struct.unpack_from("<I", packet, 8)[0]
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([self.sock], [], [], remaining)[0]:
                return None
            self.events.append((time.monotonic(), self._packet()))

    def wait_for_map(self, size, timeout):
        """The next top-level window of this size (w, h) to be mapped, and when it was seen.
        Windows mapped earlier count too, even those destroyed since."""
        deadline = time.monotonic() + timeout
        while True:
            event = self.next_event({MAP_NOTIFY}, max(0.0, deadline - time.monotonic()))
            if event is None:
                return None, None
            seen, _, window = event
            if self.sizes.get(window) == size:
                return window, seen

    # --- requests -------------------------------------------------------------------------

    def geometry(self, window):
        """(x, y, width, height), or None for a window that is gone."""
        reply = self._reply(self._request(struct.pack("<BxHI", 14, 2, window)))
        return struct.unpack_from("<hhHH", reply, 12) if reply else None

    def set_work_area(self, x, y, width, height):
        """Announces the screen less a panel as a desktop's panel would (_NET_WORKAREA on the
        root window), for the programs that start after this."""
        atom = self.intern_atom("_NET_WORKAREA")
        cardinal = 6
        self._request(struct.pack("<BBHIIIBxxxI4I", 18, 0, 10, self.root, atom, cardinal, 32, 4,
                                  x, y, width, height))
        self.sync()

    def intern_atom(self, name):
        encoded = name.encode()
        body = struct.pack("<BBHHxx", 16, 0, 2 + (len(encoded) + _pad(len(encoded))) // 4,
                           len(encoded)) + encoded + b"\0" * _pad(len(encoded))
        return struct.unpack_from("<I", self._reply(self._request(body)), 8)[0]

    def keycode(self, keysym):
        count = self.max_keycode - self.min_keycode + 1
        reply = self._reply(self._request(struct.pack("<BxHBBxx", 101, 2, self.min_keycode,
                                                      count)))
        per_code = reply[1]
        syms = struct.unpack_from("<%dI" % (count * per_code), reply, 32)
        for i in range(count):
            if keysym in syms[i * per_code:(i + 1) * per_code]:
                return self.min_keycode + i
        raise RuntimeError("no keycode for keysym %#x" % keysym)

    def send_key(self, window, keycode):
        """A key press and release, sent to the window itself whatever has the focus."""
        # An empty event mask sends the event to the client that created the window.
        for code in (2, 3):  # KeyPress, KeyRelease
            event = struct.pack("<BBHIIIIhhhhHBx", code, keycode, 0, 0, self.root, window, 0,
                                0, 0, 0, 0, 0, 1)
            self._request(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        self.sync()

    def close_window(self, window):
        """What a window manager sends when the user clicks the close box."""
        protocols = self.intern_atom("WM_PROTOCOLS")
        delete = self.intern_atom("WM_DELETE_WINDOW")
        event = struct.pack("<BBHII5I", 33, 32, 0, window, protocols, delete, 0, 0, 0, 0)
        self._request(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        self.sync()

    def ping(self, window, stamp, timeout):
        """Seconds until the window's program answers a window manager's ping, which it does
        from its event loop; None if it has not answered within the timeout."""
        if not self.ping_atoms:
            self.ping_atoms = (self.intern_atom("WM_PROTOCOLS"), self.intern_atom("_NET_WM_PING"))
            # The answer goes to the root window, for the clients that watch its structure.
            self._request(struct.pack("<BxHIII", 2, 4, self.root, CW_EVENT_MASK,
                                      SUBSTRUCTURE_NOTIFY_MASK | STRUCTURE_NOTIFY_MASK))
        protocols, ping = self.ping_atoms
        event = struct.pack("<BBHII5I", 33, 32, 0, window, protocols, ping, stamp, window, 0, 0)
        sent = time.monotonic()
        self._request(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        deadline = sent + timeout
        while True:
            for seen, packet in self.events:
                if (packet[0] & 0x7F == 33 and
                        struct.unpack_from("<III", packet, 4) == (self.root, protocols, ping) and
                        struct.unpack_from("<I", packet, 16)[0] == stamp):
                    self.events.remove((seen, packet))
                    return seen - sent
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([self.sock], [], [], remaining)[0]:
                return None
            self.events.append((time.monotonic(), self._packet()))

    def click(self, x, y):
        """Moves the pointer to x, y on the screen and clicks the left button there, as input
        from a device (XTEST), and returns once the server has handled it."""
        reply = self._reply(self._request(struct.pack("<BxHHxx", 98, 4, 5) + b"XTEST\0\0\0"))
        if not reply or not reply[8]:
            raise RuntimeError("the X server lacks the XTEST extension")
        major = reply[9]
        for kind, detail in ((6, 0), (4, 1), (5, 1)):  # MotionNotify, ButtonPress, ButtonRelease
            self._request(struct.pack("<BBHBBxxII8xhh7xB", major, 2, 9, kind, detail, 0,
                                      self.root, x, y, 0))
        self.sync()

    def sync(self):
        """Returns once the server has handled every request sent so far."""
        self._reply(self._request(struct.pack("<BxH", 43, 1)))  # GetInputFocus
