"""A loopback HTTP proxy that stands in for the retailer's web server.

The embedded browser is pointed at it with Chromium's --proxy-server flag, so every request
for the selector page arrives here in absolute form ("GET http://host/path?query HTTP/1.1")
exactly as the browser sent it. Each request target is recorded and answered with a small page.
"""

import http.server
import threading

PAGE = b"<html><body><p>Memory selector stand-in</p></body></html>"


class SelectorProxy:
    def __init__(self):
        self.targets = []
        self._arrived = threading.Condition()
        proxy = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                with proxy._arrived:
                    proxy.targets.append(self.path)
                    proxy._arrived.notify_all()
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(PAGE)))
                self.end_headers()
                self.wfile.write(PAGE)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.server.shutdown()
        self.server.server_close()

    @property
    def address(self):
        return "http://127.0.0.1:%d" % self.server.server_address[1]

    def wait_for(self, prefix, timeout):
        """The request targets that start with prefix, once at least one has arrived."""
        with self._arrived:
            self._arrived.wait_for(lambda: any(t.startswith(prefix) for t in self.targets),
                                   timeout)
            return [t for t in self.targets if t.startswith(prefix)]
