#!/usr/bin/env python3
"""A loopback HTTP/1.0 server for the fetch tests, and the runner around them.

    http_test_server.py [--port N] -- COMMAND [ARGS...]

Listens on 127.0.0.1 (a free port unless --port is given), then runs COMMAND
with QSH_TEST_HTTP_PORT set to that port and QSH_TEST_CLOSED_PORT set to a
port nobody listens on, and exits with COMMAND's exit code. The server is
listening before COMMAND starts, so the tests need not wait for it. Proxy
settings are removed from COMMAND's environment: every request goes
straight to 127.0.0.1.

Pages (every answer is HTTP/1.0 and the connection closes after it):
  /  and  /echo...        200, the body is the request head exactly as received
  /status/CODE?body=TEXT  status CODE, the body is TEXT (percent-decoded bytes)
  /counter/KEY            200 "hits=N", N counting the requests for KEY; the
                          answer invites caching for a day, so a second
                          answer from a cache would repeat N
  /bytes/COUNT?length=L   200 with COUNT bytes, byte i being i % 251; the
                          Content-Length is L, COUNT when absent, none at all
                          when L is "none"; then the connection closes, so a
                          body shorter than L is a body cut off part-way
"""

import os
import socket
import socketserver
import subprocess
import sys
import threading
import urllib.parse

PROXY_VARIABLES = ("http_proxy", "https_proxy", "all_proxy", "no_proxy", "ftp_proxy")
MAX_HEAD = 64 * 1024
REASONS = {200: "OK", 404: "Not Found", 500: "Internal Server Error"}


def pattern(count):
    block = bytes(i % 251 for i in range(251))
    whole, rest = divmod(count, 251)
    return block * whole + block[:rest]


class Handler(socketserver.BaseRequestHandler):
    counters = {}
    lock = threading.Lock()

    def handle(self):
        self.request.settimeout(60)
        try:
            head = self.read_head()
            if head is None:
                return
            self.answer(head)
            self.request.shutdown(socket.SHUT_WR)
        except OSError:
            pass  # the client went away (as a capped fetch does)

    def read_head(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(4096)
            if not chunk:
                return None
            data += chunk
            # Not HTTP (a TLS handshake, say) or far too long: hang up.
            if not data[:1].isalpha() or len(data) > MAX_HEAD:
                return None
        return data[: data.index(b"\r\n\r\n") + 4]

    def send(self, status, body, headers=(), length=None):
        lines = ["HTTP/1.0 %d %s" % (status, REASONS.get(status, "Status"))]
        lines.append("Content-Type: application/octet-stream")
        if length != "none":
            lines.append("Content-Length: %s" % (len(body) if length is None else length))
        lines.extend(headers)
        self.request.sendall(("\r\n".join(lines) + "\r\n\r\n").encode("ascii"))
        # Large bodies go in pieces, so that a client that stops reading
        # early is noticed.
        for start in range(0, len(body), 65536):
            self.request.sendall(body[start : start + 65536])

    def answer(self, head):
        target = head.split(b"\r\n", 1)[0].split(b" ")
        url = urllib.parse.urlsplit(target[1].decode("latin-1") if len(target) > 1 else "/")
        query = urllib.parse.parse_qs(url.query)
        parts = [p for p in url.path.split("/") if p]
        if not parts or parts[0] == "echo":
            self.send(200, head)
        elif parts[0] == "status" and len(parts) == 2 and parts[1].isdigit():
            body = urllib.parse.unquote_to_bytes(query.get("body", [""])[0])
            self.send(int(parts[1]), body)
        elif parts[0] == "counter" and len(parts) == 2:
            with Handler.lock:
                hits = Handler.counters.get(parts[1], 0) + 1
                Handler.counters[parts[1]] = hits
            self.send(200, b"hits=%d" % hits, headers=(
                "Cache-Control: public, max-age=86400",
                "Expires: Thu, 31 Dec 2099 23:59:59 GMT",
                "Last-Modified: Mon, 01 Jan 2001 00:00:00 GMT"))
        elif parts[0] == "bytes" and len(parts) == 2 and parts[1].isdigit():
            length = query.get("length", [None])[0]
            self.send(200, pattern(int(parts[1])), length=length)
        else:
            self.send(404, b"no such page")


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def closed_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def main(argv):
    port = 0
    if len(argv) >= 2 and argv[0] == "--port":
        port, argv = int(argv[1]), argv[2:]
    if not argv or argv[0] != "--" or len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command = argv[1:]
    with Server(("127.0.0.1", port), Handler) as server:
        threading.Thread(target=server.serve_forever, daemon=True).start()
        environment = {k: v for k, v in os.environ.items() if k.lower() not in PROXY_VARIABLES}
        environment["QSH_TEST_HTTP_PORT"] = str(server.server_address[1])
        environment["QSH_TEST_CLOSED_PORT"] = str(closed_port())
        result = subprocess.run(command, env=environment, check=False).returncode
        server.shutdown()
    return result


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
