"""A loopback web server for the connectivity probe, on the port of the probe's address.

It serves one page of letters in a rotating pattern, longer than the probe reads, to each
connection, and records the request and whether the client closed its end once the page was
sent (a client that keeps its handles open keeps the connection open too).
"""

import socket
import threading

PATIENCE = 5  # seconds a client has to close its end


class Exchange:
    def __init__(self, head):
        lines = head.decode("latin-1").split("\r\n")
        self.request_line = lines[0]
        self.header_lines = [line for line in lines[1:] if line]
        self.client_closed = False


class ProbeServer:
    body = bytes(ord("a") + i % 26 for i in range(64 * 1024))

    def __init__(self, port):
        self.port = port
        self.unavailable = None
        self._exchanges = []
        self._finished = threading.Condition()
        self._listener = socket.socket()
        self._listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)

    def __enter__(self):
        try:
            self._listener.bind(("127.0.0.1", self.port))
        except OSError as error:
            self.unavailable = error.strerror
            return self
        self._listener.listen()
        threading.Thread(target=self._serve, daemon=True).start()
        return self

    def __exit__(self, *exc):
        self._listener.close()

    def exchange(self, timeout):
        """The first finished exchange, or None when none finishes in time."""
        with self._finished:
            self._finished.wait_for(lambda: self._exchanges, timeout)
            return self._exchanges[0] if self._exchanges else None

    def _serve(self):
        while True:
            try:
                connection, _ = self._listener.accept()
            except OSError:
                return
            with connection:
                exchange = self._exchange(connection)
            with self._finished:
                self._exchanges.append(exchange)
                self._finished.notify_all()

    def _exchange(self, connection):
        connection.settimeout(PATIENCE)
        head = b""
        exchange = Exchange(head)
        try:
            while b"\r\n\r\n" not in head:
                chunk = connection.recv(4096)
                if not chunk:
                    break
                head += chunk
            exchange = Exchange(head.split(b"\r\n\r\n")[0])
            connection.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n"
                               b"Connection: close\r\n\r\n" % len(self.body) + self.body)
            exchange.client_closed = connection.recv(1) == b""
        except socket.timeout:
            pass
        except (ConnectionResetError, BrokenPipeError):
            exchange.client_closed = True
        return exchange
