"""The panel at the display scales a user sets (Wine's LogPixels 96, 120, 144 and 192): its
outer size and start place, its drawing (at rest and with its buttons) against the stored
images of that scale step, its scaled buttons under the mouse, and a move onto a monitor of
another scale announced by the system. The tests run in the order of their names, so that
the display scale changes once per DPI. Screenshots at 144 and 192 DPI are kept in QLX_SHOTS
(default: the run's work folder) to be looked at."""
import os
import struct
import subprocess
import time

from harness import (ROOT, WORK, QuiklexTest, browser_log, clear_settings, end_all, find_panel,
                     helper, menu_open, scaled, screen_dpi, set_dpi, shown, wait_for, xdo)

SHOTS = os.environ.get("QLX_SHOTS", WORK)
PANEL_RGB = (62, 116, 92)
IMAGES = os.path.join(ROOT, "src", "res", "panel")


def image_step(dpi):
    """The stored scale step a DPI draws with: the nearest one at or above it."""
    for percent in (100, 125, 150, 175, 200, 250, 300):
        if percent * 96 >= dpi * 100:
            return percent
    return 300


def stored_alpha(name, percent):
    """A stored image as (width, height, rows of alpha)."""
    with open(os.path.join(IMAGES, "%s-%d.a8" % (name, percent)), "rb") as f:
        data = f.read()
    width, height = struct.unpack("<HH", data[:4])
    alpha, at = [], 4
    while at < len(data):
        code = data[at]
        if code < 128:
            alpha += data[at + 1:at + 2 + code]
            at += code + 2
        else:
            alpha += [data[at + 1]] * (code - 125)
            at += 2
    assert len(alpha) == width * height
    return width, height, [alpha[y * width:(y + 1) * width] for y in range(height)]


def boxes(dpi):
    """The panel's outer size and its controls' boxes (left, top, width, height) in client
    pixels at a DPI."""
    outer_w, outer_h = scaled(82, dpi), scaled(32, dpi)
    base = outer_h // 2 - scaled(2, dpi)

    def box(left, width, height, lower=0):
        h = scaled(height, dpi)
        return scaled(left, dpi), base - h // 2 + lower, scaled(width, dpi), h
    return (outer_w, outer_h), {
        "logo": box(12, 60, 24, scaled(1, dpi)),
        "menu": box(15, 24, 19),
        "open": box(48, 25, 19),
        "handle": box(4, 2, 19),
    }


def expected_client(dpi, buttons):
    """The client area as the program draws it: the panel colour, the stored white images
    blended over it (premultiplied: colour + background x (255 - alpha) / 255), and the move
    handle's two white lines with a scaled gap above and below."""
    (outer_w, outer_h), b = boxes(dpi)
    rows = [[PANEL_RGB] * (outer_w - 2) for _ in range(outer_h - 2)]
    step = image_step(dpi)
    for name in (("menu", "open") if buttons else ("logo",)):
        left, top, _, _ = b[name]
        width, height, alpha = stored_alpha(name, step)
        for y in range(height):
            for x in range(width):
                a = alpha[y][x]
                rows[top + y][left + x] = tuple(a + (c * (255 - a) + 127) // 255
                                                for c in PANEL_RGB)
    if buttons:
        left, top, width, height = b["handle"]
        gap = scaled(1, dpi)
        for y in range(top + gap, top + height - gap):
            for x in range(left, left + width):
                rows[y][x] = (255, 255, 255)
    return rows


def screen_rows(left, top, width, height, name=None):
    """The screen's pixels in a rectangle as rows of (r, g, b); kept as a PNG when named."""
    crop = ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
            "+repage"]
    if name:
        os.makedirs(SHOTS, exist_ok=True)
        subprocess.run(crop + [os.path.join(SHOTS, name)], check=True, timeout=30)
    raw = subprocess.run(crop + ["-depth", "8", "rgb:-"], capture_output=True, check=True,
                         timeout=30).stdout
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def client_rows(p, name=None):
    return screen_rows(p.left + 1, p.top + 1, p.width - 2, p.height - 2, name)


def differences(got, want):
    return [(x, y, got[y][x], want[y][x]) for y in range(len(want)) for x in range(len(want[0]))
            if got[y][x] != want[y][x]]


class PanelScale(QuiklexTest):
    dpi = None  # the display scale set now

    @classmethod
    def tearDownClass(cls):
        end_all()
        if cls.dpi not in (None, 96):
            set_dpi(96)

    def at(self, dpi):
        """The display at a DPI, changed only when it is another one."""
        if type(self).dpi != dpi:
            end_all()
            set_dpi(dpi)
            type(self).dpi = dpi
        self.assertEqual(screen_dpi(), dpi)

    def started(self):
        # The mouse away from where the panel appears: over it the buttons would come.
        xdo("mousemove", 10, 700)
        q = self.start()
        p = q.wait_visible()
        time.sleep(0.5)
        return q, find_panel()

    def client_point(self, p, x, y):
        return p.left + 1 + x, p.top + 1 + y

    def show_buttons(self, p, dpi):
        """The mouse into the inner area (between the two buttons) until the buttons are
        drawn; returns the client area then."""
        _, b = boxes(dpi)
        want = expected_client(dpi, True)
        x = b["menu"][0] + b["menu"][2] + 2
        y = (p.height - 2) // 2

        def moved_and_drawn():
            xdo("mousemove", *self.client_point(p, x, y))
            xdo("mousemove", *self.client_point(p, x + 1, y))
            rows = client_rows(p)
            return not differences(rows, want) and rows
        wait_for(moved_and_drawn, 10, interval=0.3, what="the buttons", fail=False)
        return client_rows(p)

    def check_size_and_place(self, dpi):
        _, p = self.started()
        self.assertEqual((p.width, p.height), (scaled(82, dpi), scaled(32, dpi)))
        # Two of its widths in from the screen's right edge, at the top.
        screen_width = int(helper("workarea")[1].split()[6])
        self.assertEqual((p.left, p.top), (screen_width - 2 * p.width, 0))
        return p

    def check_drawing(self, dpi):
        p = self.check_size_and_place(dpi)
        wait_for(lambda: not differences(client_rows(p), expected_client(dpi, False)), 5,
                 what="the logo", fail=False)
        rest = client_rows(p, "panelscale-rest-%d.png" % dpi)
        self.assertEqual(differences(rest, expected_client(dpi, False))[:5], [])
        self.show_buttons(p, dpi)
        shown = client_rows(p, "panelscale-buttons-%d.png" % dpi)
        self.assertEqual(differences(shown, expected_client(dpi, True))[:5], [])

    def test_a096_size_and_place(self):
        self.at(96)
        self.check_size_and_place(96)

    def test_a096_move_onto_a_monitor_of_150_percent(self):
        self.at(96)
        _, p = self.started()
        _, left, top, right, bottom = map(int, helper("workarea")[1].split()[:5])
        # Asked first, as the system asks, it tells its size there.
        self.assertEqual(helper("dpiscaledsize", "panel", 144)[1], "123 48")
        # Nearer the top left corner: that corner stays where the system suggests.
        self.assertEqual(helper("dpichanged", "panel", 144, 300, 200, 120, 47)[0], 0)
        wait_for(lambda: (q := find_panel()) and (q.left, q.top, q.width, q.height) ==
                 (300, 200, 123, 48), 5, what="the panel at 123 x 48 at 300, 200")
        # Nearer the bottom right corner: its distances to those edges stay (30 and 20).
        x, y = right - 30 - 120, bottom - 20 - 47
        self.assertEqual(helper("dpichanged", "panel", 144, x, y, 120, 47)[0], 0)
        want = (right - 30 - 123, bottom - 20 - 48, 123, 48)
        wait_for(lambda: (q := find_panel()) and (q.left, q.top, q.width, q.height) == want, 5,
                 what="the panel at %s" % (want,))
        # Laid out at its new scale: drawn with the images of 150 %.
        p = find_panel()
        wait_for(lambda: not differences(client_rows(p), expected_client(144, False)), 5,
                 what="the logo of 150 %", fail=False)
        self.assertEqual(differences(client_rows(p), expected_client(144, False))[:5], [])
        # And back to 96 DPI.
        self.assertEqual(helper("dpichanged", "panel", 96, want[0], want[1], 123, 48)[0], 0)
        wait_for(lambda: (q := find_panel()) and (q.width, q.height) == (82, 32) and
                 (q.left + q.width, q.top + q.height) == (right - 30, bottom - 20), 5,
                 what="the panel back at 82 x 32")

    def test_b120_size_and_place(self):
        self.at(120)
        self.check_size_and_place(120)

    def test_c144_drawn_with_the_images_of_150_percent(self):
        self.at(144)
        self.check_drawing(144)

    def test_c144_scaled_buttons_take_their_clicks(self):
        self.at(144)
        _, p = self.started()
        _, b = boxes(144)
        # The open button's lower right corner: outside where it would be at 96 DPI.
        left, top, width, height = b["open"]
        before = len(browser_log())
        self.show_buttons(p, 144)
        xdo("mousemove", *self.client_point(p, left + width - 2, top + height - 2))
        xdo("click", 1)
        wait_for(lambda: len(browser_log()) > before, 10, what="a page opened")
        self.assertEqual((find_panel().left, find_panel().top), (p.left, p.top))

        # The menu button's right end: the menu opens as far right of and below the image as
        # the image lies from the panel's corner (moved left if it would leave the screen).
        left, top, width, height = b["menu"]
        self.show_buttons(p, 144)
        xdo("mousemove", *self.client_point(p, left + width - 2, top + height // 2))
        xdo("click", 1)
        menu = wait_for(menu_open, 5, what="the panel menu")
        x, y = self.client_point(p, 2 * left, 2 * top)
        screen_width = int(helper("workarea")[1].split()[6])
        self.assertIn(menu[:2], [(x, y), (min(x, screen_width - (menu[2] - menu[0])), y)])
        xdo("key", "Escape")

    def test_c144_welcome_beside_the_panel_with_a_scaled_gap(self):
        self.at(144)
        clear_settings(True)
        self.start()
        wait_for(lambda: shown("TFormWelcome"), 30, what="the welcome window")
        p = find_panel()
        self.assertEqual((p.width, p.height), (123, 48))
        # Its outer top 30 below the panel's, its right edge 30 left of it.
        _, _, left, top, width, _ = helper("window", "TFormWelcome")[1].split()
        self.assertEqual((int(top), int(left) + int(width)), (p.top + 30, p.left - 30))

    def test_d192_drawn_with_the_images_of_200_percent(self):
        self.at(192)
        self.check_drawing(192)
