"""What the X display shows: screenshots with pixel access, and the mouse
cursor image straight from the X server (XFixes through ctypes)."""

import ctypes
import struct
import subprocess
import zlib


class Image:
    """An RGB picture; pixel(x, y) -> (r, g, b). offset is where Windows
    screen point (0, 0) lies in it, so that screen_pixel takes Windows
    coordinates."""

    def __init__(self, width, height, rgb, offset=(0, 0)):
        self.width = width
        self.height = height
        self.rgb = rgb
        self.offset = offset

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise AssertionError(f"pixel ({x}, {y}) outside the {self.width}x{self.height} image")
        start = (y * self.width + x) * 3
        return tuple(self.rgb[start:start + 3])

    def screen_pixel(self, x, y):
        return self.pixel(x + self.offset[0], y + self.offset[1])

    def count(self, colour, left, top, right, bottom):
        """How many pixels of the Windows screen rectangle have the colour."""
        matches = 0
        for y in range(top, bottom):
            for x in range(left, right):
                if self.screen_pixel(x, y) == colour:
                    matches += 1
        return matches

    def save_png(self, path):
        """Writes the picture as PNG (for looking at a failure)."""
        rows = b"".join(b"\0" + bytes(self.rgb[y * self.width * 3:(y + 1) * self.width * 3])
                        for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                      + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))


def _ppm_tokens(data, count):
    """The first `count` header fields of a binary PPM and where the pixels start."""
    tokens = []
    position = 2
    while len(tokens) < count:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position) + 1
            continue
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        tokens.append(int(data[start:position]))
    return tokens, position + 1


def parse_ppm(data, offset=(0, 0)):
    if data[:2] != b"P6":
        raise AssertionError(f"not a binary PPM (starts with {data[:2]!r})")
    (width, height, maxval), start = _ppm_tokens(data, 3)
    samples = width * height * 3
    if maxval < 256:
        rgb = data[start:start + samples]
    else:  # 16-bit samples, most significant byte first: keep that byte
        rgb = data[start:start + 2 * samples:2]
    if len(rgb) != samples:
        raise AssertionError(f"PPM of {width}x{height} holds {len(rgb)} of {samples} samples")
    return Image(width, height, rgb, offset)


def screenshot(env, offset=(0, 0), timeout=30):
    """The whole X screen, taken with ImageMagick's import."""
    result = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=timeout)
    if result.returncode != 0:
        raise AssertionError(f"import failed ({result.returncode}): "
                             f"{result.stderr.decode(errors='replace')}")
    return parse_ppm(result.stdout, offset)


class CursorImage:
    """The cursor the X server shows: size, hot spot and ARGB pixels.
    Two images are equal when they look the same (serials aside)."""

    def __init__(self, width, height, hotspot, pixels, serial):
        self.width = width
        self.height = height
        self.hotspot = hotspot
        self.pixels = pixels
        self.serial = serial

    @property
    def blank(self):
        """No visible pixel: what Wine shows in a newly made window before
        the program has set its cursor."""
        return all(argb >> 24 == 0 for argb in self.pixels)

    def _key(self):
        return (self.width, self.height, self.hotspot, self.pixels)

    def __eq__(self, other):
        return isinstance(other, CursorImage) and self._key() == other._key()

    def __hash__(self):
        return hash(self._key())

    def ascii_art(self):
        """'#' dark opaque, '.' light opaque, ' ' transparent."""
        lines = []
        for row in range(self.height):
            line = ""
            for column in range(self.width):
                argb = self.pixels[row * self.width + column]
                if argb >> 24 < 0x80:
                    line += " "
                else:
                    line += "#" if (argb & 0xFF) + (argb >> 8 & 0xFF) + (argb >> 16 & 0xFF) < 384 else "."
            lines.append(line)
        return "\n".join(lines)

    def __repr__(self):
        return (f"<CursorImage {self.width}x{self.height} hotspot={self.hotspot} "
                f"serial={self.serial}>")


class _XFixesCursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


_xlib = None


def _libraries():
    global _xlib
    if _xlib is None:
        x11 = ctypes.CDLL("libX11.so.6")
        xfixes = ctypes.CDLL("libXfixes.so.3")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XFree.argtypes = [ctypes.c_void_p]
        xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                ctypes.POINTER(ctypes.c_int)]
        xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_XFixesCursorImage)
        xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        _xlib = (x11, xfixes)
    return _xlib


def cursor_image(display):
    """The cursor image the X server currently shows on `display`."""
    x11, xfixes = _libraries()
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        raise AssertionError(f"cannot open X display {display}")
    try:
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xfixes.XFixesQueryExtension(connection, ctypes.byref(event_base),
                                           ctypes.byref(error_base)):
            raise AssertionError(f"X display {display} has no XFIXES extension")
        pointer = xfixes.XFixesGetCursorImage(connection)
        if not pointer:
            raise AssertionError(f"XFixesGetCursorImage failed on {display}")
        try:
            image = pointer.contents
            count = image.width * image.height
            # Xlib hands the 32-bit ARGB values over in longs.
            pixels = tuple(image.pixels[i] & 0xFFFFFFFF for i in range(count))
            return CursorImage(image.width, image.height, (image.xhot, image.yhot), pixels,
                               image.cursor_serial)
        finally:
            x11.XFree(pointer)
    finally:
        x11.XCloseDisplay(connection)
