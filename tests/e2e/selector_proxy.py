"""A loopback HTTP proxy that stands in for the retailer's web server.

The embedded browser is pointed at it with Chromium's --proxy-server flag, so every request
for the selector page arrives here in absolute form ("GET http://host/path?query HTTP/1.1")
exactly as the browser sent it. Each request target is recorded and answered with a small page
that lists the query parameters it received.
"""

import html
import http.server
import threading
import urllib.parse


def stand_in_page(target):
    query = urllib.parse.urlsplit(target).query
    rows = "".join("<tr><th>%s</th><td>%s</td></tr>" % (html.escape(urllib.parse.unquote(k)),
                                                         html.escape(urllib.parse.unquote(v)))
                   for k, _, v in (pair.partition("=") for pair in query.split("&") if pair))
    return ("<html><body style='font-family: sans-serif; font-size: 12px'>"
            "<h3>Memory selector (stand-in)</h3><table>%s</table></body></html>" % rows).encode()


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
                page = stand_in_page(self.path)
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(page)))
                self.end_headers()
                self.wfile.write(page)

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
