#!/usr/bin/env python3
"""A loopback HTTP server that misbehaves on purpose, and the runner around
the tests that meet it.

    http_fault_server.py -- COMMAND [ARGS...]

Listens on 127.0.0.1 (a free port), runs COMMAND with QSH_TEST_FAULT_PORT
set to that port and without proxy settings, and exits with COMMAND's exit
code. The server is listening before COMMAND starts.

Every page is chosen by its path; the query tunes it.

  /page?...          a release page: `before` ASCII bytes, the version
                     marker in UTF-8 (unless marker=0), `after` ASCII bytes,
                     then the text `then` (percent-encoded UTF-8) `times` times
      length=exact   Content-Length: the body's length (the default);
             none    no Content-Length; N: N
      send=N         send only the first N bytes of the body (all by default)
      end=close      close normally after the body (the default);
          reset      reset the connection instead (RST, no FIN), `hold`
                     seconds after the last byte (0.2 by default);
          hold       keep the connection open, silent, for `hold` seconds
      hold=S         how long `end=hold` and /silent stay open (at most 300)
  /silent?hold=S     read the request, answer nothing, close after S seconds
  /garbage?kind=K    answer with something that is not HTTP, then close:
      binary         bytes 0..255 over and over, 4096 of them
      text           a line of another protocol ("SSH-2.0-...")
      unended-head   a status line and headers that never end
      bad-status     "HTTP/1.0 OK" with no status code, then a body

Nothing a client sends or fails to read stops the server; every connection
has a thread of its own and ends within its hold time.
"""

import os
import socket
import socketserver
import struct
import subprocess
import sys
import threading
import time
import urllib.parse

PROXY_VARIABLES = ("http_proxy", "https_proxy", "all_proxy", "no_proxy", "ftp_proxy")
MAX_HEAD = 64 * 1024
MAX_HOLD = 300.0
# "软件版本：【V1.01】" in UTF-8.
MARKER = "\u8f6f\u4ef6\u7248\u672c\uff1a\u3010V1.01\u3011".encode("utf-8")


def ascii_filler(count):
    line = b"<p>release notes of the save helper</p>\r\n"
    whole, rest = divmod(count, len(line))
    return line * whole + line[:rest]


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.settimeout(MAX_HOLD)
        try:
            head = self.read_head()
            if head is None:
                return
            self.answer(head)
        except OSError:
            pass  # the client went away

    def read_head(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(4096)
            if not chunk or len(data) > MAX_HEAD:
                return None
            data += chunk
        return data

    def hold(self, query):
        """Stays silent until the hold time is over or the client hangs up."""
        seconds = min(float(query.get("hold", ["5"])[0]), MAX_HOLD)
        deadline = time.monotonic() + seconds
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return
            self.request.settimeout(left)
            try:
                if not self.request.recv(4096):
                    return
            except socket.timeout:
                return

    def reset(self):
        # SO_LINGER with a zero time-out: close() sends RST instead of FIN.
        self.request.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.request.close()

    def answer(self, head):
        target = head.split(b"\r\n", 1)[0].split(b" ")
        url = urllib.parse.urlsplit(target[1].decode("latin-1") if len(target) > 1 else "/")
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/page":
            self.page(query)
        elif url.path == "/silent":
            self.hold(query)
        elif url.path == "/garbage":
            self.garbage(query.get("kind", ["binary"])[0])
        else:
            self.request.sendall(b"HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n")
        # A normal close: FIN after everything sent (a reset socket is gone already).
        if self.request.fileno() != -1:
            self.request.shutdown(socket.SHUT_WR)

    def page(self, query):
        body = ascii_filler(int(query.get("before", ["0"])[0]))
        if query.get("marker", ["1"])[0] != "0":
            body += MARKER
        body += ascii_filler(int(query.get("after", ["0"])[0]))
        body += query.get("then", [""])[0].encode("utf-8") * int(query.get("times", ["1"])[0])
        length = query.get("length", ["exact"])[0]
        lines = [b"HTTP/1.0 200 OK", b"Content-Type: text/html; charset=utf-8"]
        if length == "exact":
            lines.append(b"Content-Length: %d" % len(body))
        elif length != "none":
            lines.append(b"Content-Length: %d" % int(length))
        self.request.sendall(b"\r\n".join(lines) + b"\r\n\r\n")
        sent = body[: int(query.get("send", [str(len(body))])[0])]
        for start in range(0, len(sent), 65536):
            self.request.sendall(sent[start : start + 65536])
        end = query.get("end", ["close"])[0]
        if end == "reset":
            # Give the client time to take what was sent, as a connection
            # that breaks in mid-transfer would have.
            time.sleep(min(float(query.get("hold", ["0.2"])[0]), MAX_HOLD))
            self.reset()
        elif end == "hold":
            self.hold(query)

    def garbage(self, kind):
        if kind == "text":
            self.request.sendall(b"SSH-2.0-OpenSSH_9.2p1 Debian-2\r\n")
        elif kind == "unended-head":
            self.request.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: 100\r\nX-Broken: yes")
        elif kind == "bad-status":
            self.request.sendall(b"HTTP/1.0 OK\r\nContent-Length: 4\r\n\r\nbody")
        else:
            self.request.sendall(bytes(range(256)) * 16)


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main(argv):
    if not argv or argv[0] != "--" or len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    with Server(("127.0.0.1", 0), Handler) as server:
        threading.Thread(target=server.serve_forever, daemon=True).start()
        environment = {k: v for k, v in os.environ.items() if k.lower() not in PROXY_VARIABLES}
        environment["QSH_TEST_FAULT_PORT"] = str(server.server_address[1])
        result = subprocess.run(argv[1:], env=environment, check=False).returncode
        server.shutdown()
    return result


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
