"""The program's windows at the display scales a user sets (Wine's LogPixels: 96, 120, 144 and
192 DPI): the welcome, settings and messages windows' client areas are their tables' sizes
scaled, and the message dialog grows with its larger font. Screenshots at 144 and 192 DPI are
kept in QLX_SHOTS (default: the run's work folder) to be looked at."""
import os
import subprocess
import time

from harness import (HELPER, WORK, QuiklexTest, client, end_all, foreground_class, helper,
                     shown, wait_for, xdo, clear_settings)
from test_definitions import DictionaryServer, ok_answer

SHOTS = os.environ.get("QLX_SHOTS", WORK)
DPIS = (96, 120, 144, 192)


def scaled(value, dpi):
    """As the system's MulDiv rounds: halves away from zero."""
    return (value * dpi * 2 + 96) // 192


def set_dpi(dpi):
    """Sets Wine's display DPI and restarts the Wine server so that programs see it."""
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], capture_output=True, timeout=120)
    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, "timeout": 60}
    subprocess.run(["wineserver", "-k"], **quiet)
    subprocess.run(["wineserver", "-w"], **quiet)
    # The server stays for the rest of the run, as the run's own does (it keeps no pipe open).
    subprocess.run(["wineserver", "-p"], **quiet)
    # The first program under a new server starts Wine's session, whose programs inherit the
    # output: a helper run without a pipe waits for it.
    subprocess.run(["wine", HELPER, "find"], **dict(quiet, timeout=120))


def grab(name):
    os.makedirs(SHOTS, exist_ok=True)
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name)],
                   capture_output=True, timeout=30)


def screen_dpi():
    """The DPI a Windows program sees."""
    return int(helper("dpi")[1])


class Scale(QuiklexTest):

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
                q = self.start()
                q.wait_visible()
                helper("post", 2, 5)
                wait_for(lambda: shown("TFormSettings"), 10, what="the settings window")
                time.sleep(0.5)
                left, top, width, height, _ = client("TFormSettings")
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
                if dpi <= 144:
                    self.assertEqual((width, height),
                                     (scaled(539, dpi),
                                      max(scaled(366, dpi), scaled(400, dpi) - frame_height)))
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
