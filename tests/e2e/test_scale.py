"""The program's windows at the display scales a user sets (Wine's LogPixels: 96, 120, 144 and
192 DPI): the welcome, settings and messages windows' client areas are their tables' sizes
scaled, and the message dialog grows with its larger font. Screenshots at 144 and 192 DPI are
kept in QLX_SHOTS (default: the run's work folder) to be looked at."""
import os
import subprocess
import time

from harness import (WORK, QuiklexTest, clear_settings, client, end_all, foreground_class,
                     helper, open_settings_window, scaled, screen_dpi, set_dpi, shown, wait_for,
                     xdo)
from test_definitions import DictionaryServer, ok_answer

SHOTS = os.environ.get("QLX_SHOTS", WORK)
DPIS = (96, 120, 144, 192)


def grab(name):
    os.makedirs(SHOTS, exist_ok=True)
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name)],
                   capture_output=True, timeout=30)


class SettingsOpener(QuiklexTest):
    def open_settings(self):
        """Starts the program and opens its settings window; the program and the window's
        client rectangle."""
        q = self.start()
        q.wait_visible()
        open_settings_window()
        time.sleep(0.5)
        return q, client("TFormSettings")


class Scale(SettingsOpener):

    @classmethod
    def tearDownClass(cls):
        end_all()
        set_dpi(96)

    def at(self, dpi):
        end_all()
        set_dpi(dpi)
        self.assertEqual(screen_dpi(), dpi)

    def test_windows_take_their_tables_sizes_scaled(self):
        body = (b'<definitions><message timestamp="2026-01-15"><p>Nyt fra Lemmary: nye ord i '
                b'ordbogen.</p></message></definitions>')
        dialogs = {}
        for dpi in DPIS:
            with self.subTest(dpi=dpi):
                self.at(dpi)
                # The welcome window at the first start.
                clear_settings(True)
                q = self.start()
                wait_for(lambda: shown("TFormWelcome"), 30, what="the welcome window")
                time.sleep(0.5)
                _, _, width, height, _ = client("TFormWelcome")
                self.assertEqual((width, height), (scaled(349, dpi), scaled(265, dpi)))
                if dpi >= 144:
                    grab("scale-welcome-%d.png" % dpi)
                q.kill()
                end_all()

                # The settings window, and the question on leaving it after a change.
                clear_settings(False)
                q, (left, top, width, height, _) = self.open_settings()
                self.assertEqual((width, height), (scaled(325, dpi), scaled(290, dpi)))
                if dpi >= 144:
                    grab("scale-settings-%d.png" % dpi)
                xdo("mousemove", left + scaled(60, dpi), top + scaled(117, dpi), "click", 1)
                time.sleep(0.3)
                xdo("key", "Escape")
                wait_for(lambda: foreground_class() == "TMessageForm", 10, what="a message dialog")
                time.sleep(0.5)
                dialogs[dpi] = client("TMessageForm")[2:4]
                if dpi >= 144:
                    grab("scale-dialog-%d.png" % dpi)
                q.kill()
                end_all()

                # The messages window, with its smallest size scaled too; at 192 DPI it is
                # larger than this screen and is kept inside the work area.
                server = DictionaryServer(lambda i: (ok_answer(body), False))
                self.addCleanup(server.stop)
                clear_settings(False)
                q = self.start(env=server.env)
                q.wait_visible()
                wait_for(lambda: shown("TFormMessages"), 30, what="the messages window")
                time.sleep(1)
                _, _, width, height, _ = client("TFormMessages")
                outer = helper("window", "TFormMessages")[1].split()
                frame_height = int(outer[5]) - height
                wanted = (scaled(539, dpi), max(scaled(366, dpi), scaled(400, dpi) - frame_height))
                if dpi <= 144:
                    self.assertEqual((width, height), wanted)
                else:
                    # Shrunk to the work area, frame and all, where the scaled size is larger.
                    work = [int(v) for v in helper("workarea")[1].split()[1:5]]
                    frame_width = int(outer[4]) - width
                    self.assertEqual((int(outer[4]), int(outer[5])),
                                     (min(wanted[0] + frame_width, work[2] - work[0]),
                                      min(wanted[1] + frame_height, work[3] - work[1])))
                if dpi >= 144:
                    grab("scale-messages-%d.png" % dpi)
                q.kill()
                server.stop()
                end_all()
        # The dialog's font grows with the scale, and the dialog with it (the text's width at
        # twice the font size is not exactly twice as wide: the letters are fitted to pixels).
        if 96 in dialogs and 192 in dialogs:
            self.assertGreaterEqual(dialogs[192][0], dialogs[96][0] * 7 // 4)
            self.assertGreaterEqual(dialogs[192][1], dialogs[96][1] * 7 // 4)


SETTINGS_MARK = "0x555555"


def outer(window_class):
    """(left, top, width, height) of a window on the screen."""
    parts = helper("window", window_class)[1].split()
    return tuple(int(p) for p in parts[2:6])


def marked(window, box, dpi):
    """Whether the settings window's check box at box (96-DPI client pixels: left, top) shows
    its mark at the window's scale."""
    left, top = window[0] + scaled(box[0], dpi), window[1] + scaled(box[1], dpi)
    return int(helper("count", left, top, scaled(20, dpi), scaled(20, dpi),
                      SETTINGS_MARK)[1]) > 0


def text_bands(window, dpi):
    """The heights of the rows of text in the messages window's view."""
    left, top = window[0] + scaled(8 + 10, dpi), window[1] + scaled(11 + 10, dpi)
    out = helper("rows", left, top, scaled(400, dpi), scaled(100, dpi))[1]
    return [int(b) - int(a) + 1 for a, b in (line.split() for line in out.splitlines() if line)]


def dpi_scaled_size(who, dpi):
    """The size a window answers when asked for its size at another DPI."""
    code, out = helper("dpiscaledsize", who, dpi)
    return tuple(map(int, out.split())) if code == 0 else None


class DpiChange(SettingsOpener):
    """A window moved onto a monitor of another scale: the system sends it the new DPI and a
    suggested rectangle; the window lays itself out at that scale, takes the rectangle and
    keeps what the user entered."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if screen_dpi() != 96:
            end_all()
            set_dpi(96)

    def move_to(self, window_class, dpi, client_width, client_height, left=60, top=40,
                min_height=0):
        """Sends the move with a rectangle for that client size (at least min_height high);
        checks that the window took it and returns its client area then."""
        before = client(window_class)
        frame = outer(window_class)
        width = client_width + frame[2] - before[2]
        height = max(client_height + frame[3] - before[3], min_height)
        code, _ = helper("dpichanged", window_class, dpi, left, top, width, height)
        self.assertEqual(code, 0)
        time.sleep(0.5)
        self.assertEqual(outer(window_class), (left, top, width, height))
        return client(window_class)

    def test_settings_window_follows_and_keeps_what_was_entered(self):
        q, w = self.open_settings()
        self.assertEqual(w[2:4], (325, 290))
        on_top = (13, 107)
        was = marked(w, on_top, 96)
        xdo("mousemove", w[0] + 60, w[1] + 117, "click", 1)
        wait_for(lambda: marked(w, on_top, 96) != was, 5, what="the box toggled")
        # The shortcut field has the keyboard.
        xdo("key", "ctrl+shift+a")
        wait_for(lambda: helper("hotkeyfield", "TFormSettings")[1] == "0x0341", 5,
                 what="the typed shortcut")

        # Asked first, as the system asks: its table's size there, in the frame it has there.
        frame = tuple(map(int, helper("framesize", "TFormSettings", 144)[1].split()))
        self.assertEqual(dpi_scaled_size("TFormSettings", 144),
                         (scaled(325, 144) + frame[0], scaled(290, 144) + frame[1]))
        w = self.move_to("TFormSettings", 144, scaled(325, 144), scaled(290, 144))
        self.assertEqual(w[2:4], (scaled(325, 144), scaled(290, 144)))
        time.sleep(0.5)
        grab("dpichanged-settings-144.png")
        self.assertEqual(marked(w, on_top, 144), not was)
        # Every other box as it was: "Ikon ved siden af uret" is on by default.
        self.assertTrue(marked(w, (13, 133), 144))
        self.assertEqual(helper("hotkeyfield", "TFormSettings")[1], "0x0341")
        # The field still has the keyboard, and the boxes take clicks at their new places.
        xdo("key", "ctrl+shift+b")
        wait_for(lambda: helper("hotkeyfield", "TFormSettings")[1] == "0x0342", 5,
                 what="a shortcut typed after the move")
        xdo("mousemove", w[0] + scaled(60, 144), w[1] + scaled(117, 144), "click", 1)
        wait_for(lambda: marked(w, on_top, 144) == was, 5, what="the box toggled back")

        # And back to 100 %.
        w = self.move_to("TFormSettings", 96, 325, 290, 100, 100)
        self.assertEqual(w[2:4], (325, 290))
        self.assertEqual(marked(w, on_top, 96), was)
        q.kill()

    def test_messages_window_and_its_view_follow(self):
        body = (b'<definitions><message timestamp="2026-01-15"><p>Nyt fra Lemmary: nye ord i '
                b'ordbogen.</p></message></definitions>')
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: shown("TFormMessages"), 30, what="the messages window")
        time.sleep(1)
        w = client("TFormMessages")
        frame_height = outer("TFormMessages")[3] - w[3]
        self.assertEqual(w[2:4], (539, max(366, 400 - frame_height)))
        small = text_bands(w, 96)
        self.assertTrue(small, "no text in the view")

        w = self.move_to("TFormMessages", 144, scaled(539, 144), scaled(366, 144),
                         min_height=scaled(400, 144))
        self.assertEqual(w[2:4], (scaled(539, 144),
                                  max(scaled(366, 144), scaled(400, 144) - frame_height)))
        time.sleep(0.5)
        grab("dpichanged-messages-144.png")
        large = text_bands(w, 144)
        self.assertEqual(len(large), len(small))
        self.assertGreaterEqual(large[0], small[0] * 4 // 3)
        # The smallest size is the table's at the new scale: 400 x 400 at 150 %.
        helper("dpichanged", "TFormMessages", 144, 60, 40, 300, 300)
        time.sleep(0.5)
        self.assertEqual(outer("TFormMessages")[2:], (scaled(400, 144), scaled(400, 144)))
        q.kill()
        server.stop()

    def test_message_dialog_follows(self):
        q, w = self.open_settings()
        xdo("mousemove", w[0] + 60, w[1] + 117, "click", 1)
        time.sleep(0.3)
        xdo("key", "Escape")
        wait_for(lambda: foreground_class() == "TMessageForm", 10, what="the question on leaving")
        time.sleep(0.5)
        small = client("TMessageForm")
        # Asked first, as the system asks, it tells the size it is laid out at there, so the
        # rectangle then suggested is the one it keeps.
        size = dpi_scaled_size("TMessageForm", 144)
        code, _ = helper("dpichanged", "TMessageForm", 144, 80, 60, *size)
        self.assertEqual(code, 0)
        time.sleep(0.5)
        grab("dpichanged-dialog-144.png")
        large = client("TMessageForm")
        # At the suggested place and size, laid out again with its font half as large again
        # (text widths do not scale exactly).
        self.assertEqual(outer("TMessageForm"), (80, 60) + size)
        self.assertGreaterEqual(large[2], small[2] * 13 // 10)
        self.assertGreaterEqual(large[3], small[3] * 13 // 10)
        self.assertLessEqual(large[2], small[2] * 17 // 10)
        q.kill()
