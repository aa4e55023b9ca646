"""A loopback HTTP server that plays the forum for the program's loopback
twin (build/loopback/QelvarinSaveHelper.exe): it answers each path with the
Response a test sets, can cut an answer off part-way, and keeps every request
exactly as it arrived.

    server = ReleaseServer(forum_port())
    server.start()                 # AssertionError when the port is taken
    server.serve(RELEASE_PAGE_PATH, Response(body=page_bytes))
    ...                            # the program fetches the page
    server.requests[0].request_line
    server.stop()

Python standard library only; it binds 127.0.0.1 and nothing else.
"""

import errno
import socket
import socketserver
import threading
import time
from dataclasses import dataclass

from . import paths

LOOPBACK = "127.0.0.1"
DEFAULT_FORUM_HOST = "127.0.0.1:47931"  # the build's default for the loopback twin
RELEASE_PAGE_PATH = "/thread-5754162-1-1.html"
REASONS = {200: "OK", 301: "Moved Permanently", 302: "Found", 304: "Not Modified",
           404: "Not Found", 500: "Internal Server Error"}
MAX_HEAD = 64 * 1024
SOCKET_TIMEOUT = 30


def loopback_program():
    """The loopback twin of the program, built with the Windows tree."""
    program = paths.build_dir() / "loopback" / "QelvarinSaveHelper.exe"
    if not program.is_file():
        raise AssertionError(f"{program} is missing: build the Windows tree (target "
                             f"QelvarinSaveHelperLoopback) or set QSH_BUILD_DIR")
    return program


def forum_host(build_dir=None):
    """QSH_TEST_FORUM_HOST of the build (CMakeCache.txt): the host, with
    its port, that the loopback twin of the program was built to use."""
    return paths.cache_value("QSH_TEST_FORUM_HOST", build_dir) or DEFAULT_FORUM_HOST


def forum_port(host=None):
    """The port of the forum host; AssertionError unless it is a loopback
    address with an explicit port, which is all these tests may talk to."""
    host = host or forum_host()
    name, _, port = host.rpartition(":")
    if name not in (LOOPBACK, "localhost") or not port.isdigit():
        raise AssertionError(f"the loopback twin's forum host is {host!r}; the end-to-end tests "
                             f"need {LOOPBACK}:<port> (CMake cache variable QSH_TEST_FORUM_HOST)")
    return int(port)


def port_is_free(port):
    """Whether nothing listens on 127.0.0.1:port right now."""
    with socket.socket() as probe:
        probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            probe.bind((LOOPBACK, port))
        except OSError:
            return False
    return True


@dataclass
class Response:
    """One answer. The head is "HTTP/1.0 <status> <reason>", then the
    headers, then Content-Length (len(body), or content_length when given;
    none at all when content_length is False) unless the headers name one.
    cut_after: send only that many bytes of the body and then close the
    connection, so that the answer breaks off part-way.
    silent_for: answer nothing at all; hold the connection open, silent,
    for that many seconds or until the client hangs up."""
    status: int = 200
    body: bytes = b""
    headers: tuple = ("Content-Type: text/html; charset=utf-8",)
    content_length: object = None
    cut_after: int = None
    silent_for: float = None

    def head(self):
        lines = [f"HTTP/1.0 {self.status} {REASONS.get(self.status, 'Status')}", *self.headers]
        named = any(line.lower().startswith("content-length:") for line in self.headers)
        if self.content_length is not False and not named:
            length = len(self.body) if self.content_length is None else self.content_length
            lines.append(f"Content-Length: {length}")
        return ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1")

    def sent_body(self):
        return self.body if self.cut_after is None else self.body[:self.cut_after]


NOT_FOUND = Response(status=404, body=b"no such page",
                     headers=("Content-Type: text/plain",))


@dataclass
class Request:
    """A request as received: raw is the whole head, CR LF included."""
    raw: bytes

    @property
    def lines(self):
        return self.raw.decode("latin-1").split("\r\n")[:-2]

    @property
    def request_line(self):
        return self.lines[0]

    @property
    def method(self):
        return self.request_line.split(" ")[0]

    @property
    def target(self):
        parts = self.request_line.split(" ")
        return parts[1] if len(parts) > 1 else ""

    @property
    def version(self):
        return self.request_line.split(" ")[-1]

    @property
    def headers(self):
        """[(name, value)] in the order received; the value without the
        blanks around it."""
        pairs = []
        for line in self.lines[1:]:
            name, _, value = line.partition(":")
            pairs.append((name, value.strip()))
        return pairs

    def header_values(self, name):
        return [value for key, value in self.headers if key.lower() == name.lower()]


class _Handler(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.settimeout(SOCKET_TIMEOUT)
        try:
            head = self._read_head()
            if head is None:
                return
            self.server.owner._record(Request(head))
            target = head.split(b"\r\n", 1)[0].split(b" ")
            path = target[1].decode("latin-1") if len(target) > 1 else ""
            response = self.server.owner._response_for(path)
            if response.silent_for is not None:
                self._stay_silent(response.silent_for)
                return
            self.request.sendall(response.head() + response.sent_body())
            # An orderly close (FIN), for a cut answer too: after a reset
            # the client's system may drop bytes it had already received,
            # and nobody would know any more what arrived.
            self.request.shutdown(socket.SHUT_WR)
        except OSError:
            pass  # the client went away

    def _stay_silent(self, seconds):
        deadline = time.monotonic() + seconds
        while (left := deadline - time.monotonic()) > 0:
            self.request.settimeout(left)
            try:
                if not self.request.recv(4096):
                    return  # the client hung up
            except socket.timeout:
                return

    def _read_head(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(4096)
            if not chunk or len(data) > MAX_HEAD:
                return None
            data += chunk
        return data[:data.index(b"\r\n\r\n") + 4]


class _TcpServer(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True  # a port in TIME_WAIT is free; a listening one is not


class ReleaseServer:
    """The forum on 127.0.0.1:port, started by start() and ended by stop()
    (also as a context manager). Paths that no serve() named get 404."""

    def __init__(self, port):
        self.port = port
        self._lock = threading.Lock()
        self._responses = {}
        self._requests = []
        self._server = None
        self._thread = None

    def start(self):
        try:
            self._server = _TcpServer((LOOPBACK, self.port), _Handler)
        except OSError as error:
            if error.errno == errno.EADDRINUSE:
                raise AssertionError(
                    f"port {self.port} on {LOOPBACK} is in use by another program; the loopback "
                    f"test server needs it (stop that program, or build with another "
                    f"QSH_TEST_FORUM_HOST)") from None
            raise
        self._server.owner = self
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True,
                                        name=f"release-server-{self.port}")
        self._thread.start()
        return self

    def stop(self):
        if self._server is not None:
            self._server.shutdown()
            self._server.server_close()
            self._thread.join(10)
            self._server = None
            self._thread = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exception):
        self.stop()

    @property
    def running(self):
        return self._server is not None

    def serve(self, path, response):
        """Answers every request for path (the target without its query)
        with response from now on."""
        with self._lock:
            self._responses[path] = response

    def reset(self):
        """Forgets every response and every request."""
        with self._lock:
            self._responses.clear()
            self._requests.clear()

    @property
    def requests(self):
        with self._lock:
            return list(self._requests)

    def _record(self, request):
        with self._lock:
            self._requests.append(request)

    def _response_for(self, target):
        path = target.split("?", 1)[0]
        with self._lock:
            return self._responses.get(path, NOT_FOUND)
