"""The main window of a normal start, as the user meets it: its size, place
and frame, every control with its place, text, visibility, stacking order
and identifier, the banner, the background and the label colours on the
screen, and the pointer over each part of it.

The program is started once for all the cases; none of them changes it."""

import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness, paths  # noqa: E402
from lib.windows import (WS_CAPTION, WS_CHILD, WS_CLIPCHILDREN, WS_CLIPSIBLINGS,  # noqa: E402
                         WS_EX_CLIENTEDGE, WS_EX_TRANSPARENT, WS_MAXIMIZEBOX, WS_MINIMIZEBOX,
                         WS_SYSMENU, WS_TABSTOP, WS_THICKFRAME, WS_VISIBLE)
import program_fixture as pf  # noqa: E402

WS_POPUP = 0x80000000
WS_EX_TOPMOST = 0x00000008
WS_EX_WINDOWEDGE = 0x00000100  # the system adds it to every window with a caption
BS_GROUPBOX, BS_LEFT = 0x7, 0x100
ES_MULTILINE, ES_AUTOVSCROLL, ES_WANTRETURN = 0x4, 0x40, 0x1000
CS_DBLCLKS, CS_HREDRAW, CS_VREDRAW = 0x8, 0x2, 0x1

WIDTH, HEIGHT = 602, 484

# Window class and styles of each kind of control.
GROUP_BOX = ("Button", WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX | BS_LEFT, 0)
TRANSPARENT_LABEL = ("QelvarinTransparentLabel", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_TRANSPARENT)
PICTURE_BOX = ("QelvarinPictureBox", WS_CHILD | WS_CLIPSIBLINGS, 0)
EDIT_BOX = ("Edit", WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL
            | ES_WANTRETURN, WS_EX_CLIENTEDGE)
LABEL = ("QelvarinLabel", WS_CHILD | WS_CLIPSIBLINGS, 0)

# name: (kind, container, left, top, width, height, visible, text)
CONTROLS = {
    "分组框3": (GROUP_BOX, None, 368, 208, 224, 160, True, "作者声明"),
    "透明标签6": (TRANSPARENT_LABEL, "分组框3", 128, 120, 80, 16, True, "Qelvarin版块"),
    "透明标签5": (TRANSPARENT_LABEL, "分组框3", 16, 120, 56, 16, True, "Tamrow论坛"),
    "透明标签4": (TRANSPARENT_LABEL, "分组框3", 8, 24, 208, 88, True,
              "该程序仍在更新\r\n\r\n更多功能后续更新\r\n\r\n欢迎大家收藏《Qelvarin》 版块\r\n"),
    "分组框2": (GROUP_BOX, None, 368, 376, 224, 64, True, "版本更新"),
    "透明标签3": (TRANSPARENT_LABEL, "分组框2", 152, 24, 64, 24, True, "检查更新"),
    "透明标签2": (TRANSPARENT_LABEL, "分组框2", 16, 24, 128, 24, True, "当前版本：V1.01"),
    "分组框1": (GROUP_BOX, None, 8, 208, 352, 232, True, "功能说明"),
    "透明标签8": (TRANSPARENT_LABEL, "分组框1", 272, 136, 64, 24, True, "反馈地址"),
    "透明标签7": (TRANSPARENT_LABEL, "分组框1", 24, 32, 304, 120, True,
              "游戏中\r\n按F9  保存当前存档\r\n按F10 还原保存存档\r\n\r\n"
              "如果有任何功能问题请在本帖留言进行回复，下一版本优化"),
    "透明标签1": (TRANSPARENT_LABEL, "分组框1", 8, 168, 336, 48, True,
              "本工具由 Tamrow Lunwick编写，旨在帮助玩家处理存档相关问题 "
              "由于编程软件的限制，可能会有报毒现象。"),
    "图片框1": (PICTURE_BOX, None, 0, 0, 600, 200, True, ""),
    "编辑框1": (EDIT_BOX, "图片框1", 48, -16, 448, 256, False, ""),
    "标签1": (LABEL, None, 160, -64, 96, 48, True, ""),
}

# The children of each container from the top of the stacking order down.
STACKING = {
    None: ["分组框3", "分组框2", "分组框1", "图片框1", "标签1"],
    "分组框3": ["透明标签6", "透明标签5", "透明标签4"],
    "分组框2": ["透明标签3", "透明标签2"],
    "分组框1": ["透明标签8", "透明标签7", "透明标签1"],
    "图片框1": ["编辑框1"],
}

# Identifiers 100, 110, 120, ... in this order.
ID_ORDER = ["标签1", "图片框1", "分组框1", "透明标签1", "分组框2", "透明标签2", "透明标签3",
            "分组框3", "透明标签4", "透明标签5", "透明标签6", "透明标签7", "透明标签8", "编辑框1"]
IDS = {name: 100 + 10 * index for index, name in enumerate(ID_ORDER)}

RED, BLUE, NAVY, BLACK = (255, 0, 0), (0, 0, 255), (0, 0, 128), (0, 0, 0)
TEXT_COLOURS = {"透明标签1": RED, "透明标签2": RED, "透明标签3": BLUE, "透明标签4": NAVY,
                "透明标签5": BLUE, "透明标签6": BLUE, "透明标签7": BLACK, "透明标签8": BLUE}
LINK_LABELS = ("透明标签3", "透明标签5", "透明标签6", "透明标签8")

BANNER_SIZE = (600, 200)


def read_banner():
    """The banner asset as rows of (r, g, b): a 24-bit bottom-up BMP."""
    data = (paths.repo_root() / "assets" / "banner.bmp").read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _planes, bits = struct.unpack_from("<iiHH", data, 18)
    if (width, height, bits) != (*BANNER_SIZE, 24):
        raise AssertionError(f"banner.bmp is {width}x{height}x{bits}, not 600x200x24")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        row = data[start:start + width * 3]
        rows.append([(row[x + 2], row[x + 1], row[x]) for x in range(0, width * 3, 3)])
    return rows


def on_segment(pixel, background, colour):
    """Whether the pixel is the background, the colour, or an anti-aliased
    mix of the two: each channel between the two ends, and channels that are
    equal at both ends equal in the pixel too."""
    for channel in range(3):
        low, high = sorted((background[channel], colour[channel]))
        if not low - 1 <= pixel[channel] <= high + 1:
            return False
    for first in range(3):
        for second in range(first + 1, 3):
            if (background[first] == background[second] and colour[first] == colour[second]
                    and abs(pixel[first] - pixel[second]) > 1):
                return False
    return True


def strength(pixel, background, colour):
    """How far the pixel is from the background towards the colour, 0 to 1."""
    return max(abs(pixel[c] - background[c]) / abs(colour[c] - background[c])
               for c in range(3) if colour[c] != background[c])


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class MainWindowTest(unittest.TestCase):
    _painted = None

    @classmethod
    def setUpClass(cls):
        cls.folder = pf.SaveFolder()
        cls.folder.write_live({name: name.encode() for name in pf.SAVE_FILES})
        try:
            cls.program, _ = pf.start_program(cls.folder)
            cls.report = harness.windows(pid=cls.program.windows_pid, message_text=True)
        except BaseException:
            cls.tearDownClass()
            raise
        cls.main = cls.report.find(class_name=pf.MAIN_CLASS)
        cls.controls = cls.find_controls(cls.main)

    @classmethod
    def tearDownClass(cls):
        if getattr(cls, "program", None) is not None:
            pf.kill_quietly(cls.program)
        cls.folder.remove()

    @staticmethod
    def find_controls(main):
        """{name: Window}, each control found by its identifier."""
        found = {}
        for name, hwnd_id in IDS.items():
            found[name] = main.find(id=hwnd_id, where=lambda window: window is not main)
        return found

    def screen_point(self, name, x, y):
        """Screen point of (x, y) in the client area of a control (or of the
        main window for name None)."""
        area = self.main.client_rect if name is None else self.controls[name].client_rect
        return (area.left + x, area.top + y)

    def wait_for_painted(self):
        """A screenshot of the painted window: the banner's top-left pixel is
        there and two screenshots in a row are the same."""
        if MainWindowTest._painted is None:
            corner = read_banner()[0][0]
            origin = self.controls["图片框1"].client_rect
            previous = [None]

            def settled():
                image = harness.screenshot()
                same = previous[0] is not None and image.rgb == previous[0].rgb
                previous[0] = image
                return image if same and image.screen_pixel(origin.left, origin.top) == corner \
                    else None

            MainWindowTest._painted = harness.wait_for(settled, pf.TIMEOUT,
                                                       "the window to be painted")
        return MainWindowTest._painted

    # --- the window -----------------------------------------------------

    def test_window_is_602_by_484_centred_with_a_fixed_frame(self):
        main = self.main
        screen_width, screen_height = self.report.screen
        left, top = (screen_width - WIDTH) // 2, (screen_height - HEIGHT) // 2
        self.assertEqual(tuple(main.rect), (left, top, left + WIDTH, top + HEIGHT))
        self.assertEqual(main.text, pf.CAPTION)
        self.assertEqual(main.text_acp, pf.CAPTION.encode("gbk"))
        self.assertTrue(main.visible)
        self.assertFalse(main.iconic)
        self.assertEqual((main.parent, main.owner), (0, 0), "a top-level window without owner")

        for bits, what in ((WS_CAPTION, "caption"), (WS_SYSMENU, "system menu and close box"),
                           (WS_MINIMIZEBOX, "minimise button"), (WS_CLIPCHILDREN, "clip children")):
            self.assertTrue(main.has_style(bits), f"the window lacks its {what}: {main.style:#x}")
        for bits, what in ((WS_THICKFRAME, "sizing border"), (WS_MAXIMIZEBOX, "maximise button"),
                           (WS_POPUP, "popup style"), (WS_CHILD, "child style")):
            self.assertFalse(main.style & bits, f"the window has a {what}: {main.style:#x}")
        self.assertEqual(main.exstyle & ~WS_EX_WINDOWEDGE, 0,
                         f"extended style {main.exstyle:#x} (not topmost, nothing else)")
        self.assertEqual(main.raw["class_style"], CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)

        # Only the main window is shown: the program has no other window on the screen.
        shown = [window for window in self.report.windows if window.visible]
        self.assertEqual([window.hwnd for window in shown], [main.hwnd],
                         self.report.describe())

    def test_controls_have_their_kind_place_text_visibility_and_identifier(self):
        main = self.main
        for name, (kind, container, left, top, width, height, visible, text) in CONTROLS.items():
            with self.subTest(control=name):
                window = self.controls[name]
                class_name, style, exstyle = kind
                parent = main if container is None else self.controls[container]
                self.assertEqual(window.class_name, class_name)
                self.assertEqual(window.parent, parent.hwnd, f"{name} is not in {container}")
                self.assertEqual(window.pos, (left, top))
                self.assertEqual(window.size, (width, height))
                self.assertEqual(window.style & ~WS_VISIBLE, style, f"style {window.style:#x}")
                self.assertEqual(window.exstyle, exstyle, f"extended style {window.exstyle:#x}")
                self.assertEqual(window.ws_visible, visible)
                self.assertEqual(window.visible, visible)
                self.assertTrue(window.enabled)
                if class_name == "Edit":  # an edit box keeps its content to itself
                    self.assertEqual(window.text_message, text)
                else:
                    self.assertEqual(window.text, text)
                    self.assertEqual(window.text_acp, text.encode("gbk"))
                if class_name.startswith("Qelvarin"):
                    self.assertEqual(window.raw["class_style"],
                                     CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)

        # Nothing else: exactly these fourteen controls.
        self.assertEqual(len(list(main.walk())) - 1, len(CONTROLS),
                         [window.describe() for window in main.walk()])

    def test_controls_stand_in_their_stacking_order(self):
        for container, names in STACKING.items():
            with self.subTest(container=container or "main window"):
                parent = self.main if container is None else self.controls[container]
                self.assertEqual([child.id for child in parent.children],
                                 [IDS[name] for name in names])

    def test_hidden_label_lies_wholly_above_the_client_area(self):
        label = self.controls["标签1"]
        self.assertTrue(label.visible)
        self.assertLessEqual(label.rect.bottom, self.main.client_rect.top)

    # --- the screen -----------------------------------------------------

    def test_banner_shows_unscaled_from_the_top_left_corner(self):
        banner = read_banner()
        image = self.wait_for_painted()
        box = self.controls["图片框1"].client_rect
        client = self.main.client_rect
        # The client area is narrower than the picture: the rest is cut off.
        visible_width = min(BANNER_SIZE[0], client.right - box.left)
        visible_height = min(BANNER_SIZE[1], client.bottom - box.top)
        self.assertGreater(visible_width, 590)
        mismatches = [(x, y) for y in range(visible_height) for x in range(visible_width)
                      if image.screen_pixel(box.left + x, box.top + y) != banner[y][x]]
        self.assertEqual(mismatches[:10], [],
                         f"{len(mismatches)} of {visible_width * visible_height} banner pixels "
                         f"differ from assets/banner.bmp")

    def test_window_background_is_the_button_face_colour(self):
        face = pf.button_face()
        image = self.wait_for_painted()
        client = self.main.client_rect
        width, height = client.width, client.height
        # Places where no control lies: under the banner, between and beside
        # the group boxes, and below them.
        areas = {"under the banner": (0, 200, width, 208),
                 "between the group boxes": (360, 208, 368, 440),
                 "right of the group boxes": (592, 208, width, 440),
                 "between 作者声明 and 版本更新": (368, 368, 592, 376),
                 "below the group boxes": (0, 440, width, height)}
        for where, (left, top, right, bottom) in areas.items():
            with self.subTest(area=where):
                self.assertGreater(right - left, 0)
                others = [(x, y, image.screen_pixel(client.left + x, client.top + y))
                          for y in range(top, bottom) for x in range(left, right)
                          if image.screen_pixel(client.left + x, client.top + y) != face]
                self.assertEqual(others[:5], [], f"{len(others)} pixels are not {face}")

    def test_label_texts_show_in_their_colours_on_the_background(self):
        face = pf.button_face()
        image = self.wait_for_painted()
        overlap = self.controls["透明标签8"].rect  # lies above 透明标签7
        for name, colour in TEXT_COLOURS.items():
            with self.subTest(label=name, colour=colour):
                rect = self.controls[name].rect
                points = [(x, y) for y in range(rect.top, rect.bottom)
                          for x in range(rect.left, rect.right)
                          if name == "透明标签8" or not overlap.contains(x, y)]
                pixels = [image.screen_pixel(x, y) for x, y in points]
                strays = [(point, pixel) for point, pixel in zip(points, pixels)
                          if not on_segment(pixel, face, colour)]
                self.assertEqual(strays[:5], [],
                                 f"{len(strays)} pixels are neither the background {face}, "
                                 f"the text colour {colour} nor a mix of the two")
                strong = sum(1 for pixel in pixels if strength(pixel, face, colour) >= 0.75)
                self.assertGreaterEqual(strong, 20, f"hardly any text in {colour} drawn")
                self.assertGreater(sum(1 for pixel in pixels if pixel == face), len(pixels) // 2,
                                   "the background does not show through the label")

    # --- the pointer ----------------------------------------------------

    def test_hand_pointer_over_exactly_the_four_link_labels(self):
        arrow = harness.reference_arrow()
        c = self.screen_point
        main = self.main
        hand_places = {
            "透明标签3": c("透明标签3", 32, 12),
            "透明标签5": c("透明标签5", 28, 8),
            "透明标签6": c("透明标签6", 40, 8),
            "透明标签8": c("透明标签8", 32, 12),
            "透明标签8 where it covers 透明标签7": c("分组框1", 300, 144),
            "透明标签8 below 透明标签7": c("分组框1", 332, 156),
            "the last pixel of 透明标签5": c("透明标签5", 55, 15),
        }
        arrow_places = {
            "透明标签1": c("透明标签1", 168, 24),
            "透明标签2": c("透明标签2", 64, 12),
            "透明标签4": c("透明标签4", 104, 44),
            "透明标签7": c("透明标签7", 152, 60),
            "just right of 透明标签5": c("分组框3", 72, 128),
            "just below 透明标签5": c("分组框3", 40, 136),
            "分组框1 beside its labels": c("分组框1", 12, 160),
            "分组框2 below its labels": c("分组框2", 100, 56),
            "分组框3 between the two links": c("分组框3", 100, 128),
            "the caption of 分组框1": c("分组框1", 24, 5),
            "the banner": c("图片框1", 300, 100),
            "the window background": c(None, 300, 204),
            "the left border": (main.rect.left + 1, main.client_rect.center[1]),
            "the right border": (main.rect.right - 2, main.client_rect.center[1]),
            "the bottom border": (main.client_rect.center[0], main.rect.bottom - 2),
            "the bottom right corner": (main.rect.right - 2, main.rect.bottom - 2),
        }
        hands = list(hand_places.items())
        # Alternate, so that every place must change the pointer to pass.
        steps = []
        for index, arrow_place in enumerate(arrow_places.items()):
            steps.append((hands[index % len(hands)], "hand"))
            steps.append((arrow_place, "arrow"))
        steps += [(place, "hand") for place in hands[len(arrow_places):]]
        hand = None
        for (where, point), shape in steps:
            harness.mouse_move(*point)
            if shape == "arrow":
                harness.wait_for_cursor(lambda image: image == arrow, pf.TIMEOUT,
                                        f"the arrow over {where} at {point}")
            else:
                seen = harness.wait_for_cursor(lambda image: image != arrow, pf.TIMEOUT,
                                               f"the hand over {where} at {point}")
                if hand is None:
                    hand = seen
                self.assertEqual(seen, hand, f"another pointer over {where}:\n{seen.ascii_art()}")

        # A pointing hand, with its hot spot at the fingertip: an opaque pixel
        # on the topmost row that has any.
        x, y = hand.hotspot
        opaque_rows = [row for row in range(hand.height)
                       if any(hand.pixels[row * hand.width + column] >> 24
                              for column in range(hand.width))]
        self.assertEqual(y, opaque_rows[0], hand.ascii_art())
        self.assertGreaterEqual(hand.pixels[y * hand.width + x] >> 24, 0x80, hand.ascii_art())
        self.assertGreater(hand.height, arrow.height // 2)


if __name__ == "__main__":
    unittest.main()
