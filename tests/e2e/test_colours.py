"""A dark system colour scheme (window black, its text white): the message dialog's text and
button and every caption of the settings window still stand out from their backgrounds, which
stay the program's own white, light grey and green. Measured on the screen's pixels."""
import os
import re
import subprocess
import time

from harness import (WORK, QuiklexTest, client, helper, open_settings_window, reg_values,
                     restart_wine_server, shown, wait_for, xdo)
from test_dialogs import DIALOG_CLASS, dialog_in_front, use_settings

COLOURS_KEY = r"HKCU\Control Panel\Colors"
DARK = {"Window": "0 0 0", "WindowText": "255 255 255", "ButtonFace": "48 48 48",
        "ButtonText": "255 255 255", "GrayText": "0 255 0", "WindowFrame": "255 255 255",
        "Highlight": "255 255 0", "HighlightText": "0 0 0"}
_before = {}


def set_colours(values):
    for name, value in values.items():
        subprocess.run(["wine", "reg", "add", COLOURS_KEY, "/v", name, "/t", "REG_SZ", "/d",
                        value, "/f"], capture_output=True, timeout=120)


def setUpModule():
    _before.update(reg_values(COLOURS_KEY))
    set_colours(DARK)
    restart_wine_server()


def tearDownModule():
    # The scheme the prefix had, for the tests that follow.
    set_colours({name: _before[name][1] for name in DARK if name in _before})
    for name in DARK:
        if name not in _before:
            subprocess.run(["wine", "reg", "delete", COLOURS_KEY, "/v", name, "/f"],
                           capture_output=True, timeout=120)
    restart_wine_server()


class Screen:
    """A part of the screen's pixels, as (red, green, blue) by client coordinates."""

    def __init__(self, left, top, width, height):
        out = subprocess.run(["import", "-window", "root", "-crop",
                              "%dx%d+%d+%d" % (width, height, left, top), "-depth", "8",
                              "txt:-"], capture_output=True, text=True, timeout=30).stdout
        self.pixels = {}
        for m in re.finditer(r"^(\d+),(\d+): \((\d+),(\d+),(\d+)", out, re.M):
            x, y, r, g, b = map(int, m.groups())
            self.pixels[x, y] = (r, g, b)

    def at(self, x, y):
        return "0x%02X%02X%02X" % self.pixels[x, y]

    def ink(self, box, background):
        """How many pixels in box (left, top, width, height) contrast with the background at
        least 3 : 1, as the accessibility guidelines measure contrast."""
        bg = luminance(tuple(int(background[i:i + 2], 16) for i in (2, 4, 6)))
        left, top, width, height = box
        n = 0
        for y in range(top, top + height):
            for x in range(left, left + width):
                lum = luminance(self.pixels[x, y])
                if (max(lum, bg) + 0.05) / (min(lum, bg) + 0.05) >= 3:
                    n += 1
        return n


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = map(channel, rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


WHITE, BUTTON_FACE, GREEN = "0xFFFFFF", "0xDDDDDD", "0x3E745C"

# The settings window's captions: their boxes in client pixels (a check-mark button's caption
# from 18 pixels in) and the background they stand on.
SETTINGS_CAPTIONS = {
    "Quiklex": ((15, 9, 70, 24), GREEN),
    "til hurtigt opslag i Lemmary": ((104, 16, 150, 15), GREEN),
    "version": ((230, 36, 78, 15), GREEN),
    "Indstillingerne anvendes nu": ((16, 69, 264, 30), WHITE),
    "Altid over andre vinduer": ((31, 107, 139, 22), WHITE),
    "Ikon ved siden af uret": ((31, 133, 129, 22), WHITE),
    "Automatisk programstart": ((31, 158, 146, 20), WHITE),
    "Start skjult (disabled)": ((65, 179, 69, 20), WHITE),
    "Offline i ældre Internet Explorer": ((31, 202, 277, 22), WHITE),
    "Tastaturgenvej:": ((30, 233, 84, 15), WHITE),
    "OK": ((28, 268, 38, 17), BUTTON_FACE),
    "Annuller": ((78, 268, 58, 17), BUTTON_FACE),
    "Standard": ((237, 268, 58, 17), BUTTON_FACE),
}


class DarkScheme(QuiklexTest):
    def grab(self, name):
        subprocess.run(["import", "-window", "root", os.path.join(WORK, name)],
                       capture_output=True, timeout=30)

    def test_settings_window_captions_stand_out(self):
        q = self.start()
        q.wait_visible()
        left, top, width, height, _ = open_settings_window()
        time.sleep(1.0)  # painted
        self.grab("colours-settings.png")
        screen = Screen(left, top, width, height)
        # The scheme is in force: the system's own shortcut field is black now.
        self.assertEqual(screen.at(250, 245), "0x000000")
        # The program's backgrounds are its own.
        self.assertEqual(screen.at(5, 5), GREEN)
        self.assertEqual(screen.at(5, 150), WHITE)
        self.assertEqual(screen.at(5, height - 5), WHITE)
        self.assertEqual(screen.at(27, 268), BUTTON_FACE)
        for caption, (box, background) in SETTINGS_CAPTIONS.items():
            with self.subTest(caption):
                self.assertGreaterEqual(screen.ink(box, background), 10)
        xdo("key", "Escape")
        wait_for(lambda: not shown("TFormSettings"), 10, what="the settings window to close")

    def test_dialog_text_and_button_stand_out(self):
        use_settings(["UseChromeFrame=1"])
        q = self.start()
        q.wait_visible()
        # The information page as a "gcf:" address cannot be opened: the program says so.
        helper("post", 4, 5)
        wait_for(dialog_in_front, 10, what="the warning dialog")
        time.sleep(0.5)  # painted
        self.grab("colours-dialog.png")
        left, top, width, height, _ = client(DIALOG_CLASS)
        screen = Screen(left, top, width, height)
        self.assertEqual(screen.at(width - 3, 3), WHITE)
        # The text, right of the icon and above the strip.
        self.assertGreaterEqual(screen.ink((56, 4, width - 60, height - 28 - 8), WHITE), 20)
        # "OK" on the light-grey button in the middle of the strip.
        button_left, button_top = (width - 62) // 2, height - 28 + 4
        self.assertEqual(screen.at(button_left + 2, button_top + 11), BUTTON_FACE)
        self.assertGreaterEqual(screen.ink((button_left + 4, button_top + 3, 54, 15),
                                           BUTTON_FACE), 10)
        xdo("key", "Escape")
        wait_for(lambda: not dialog_in_front(), 5, what="the dialog to close")
        self.assertTrue(q.running())
