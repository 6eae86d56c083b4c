"""The lookup shortcut while another program holds it: it stays the user's choice in the
settings file, is tried again quietly (every 2 s for the first 30 s, then once a minute after
the problem message), and the tray icon's tip tells whether it works."""
import os
import subprocess
import time

from harness import (HELPER, WORK, QuiklexTest, browser_log, client, copy_text, find_panel,
                     foreground_class, helper, right_click_menu, settings_folder, settings_text,
                     user_name, wait_for, xdo)

LOOKUP = "http://www.lemmary.dk/#ordbog/"
DIALOG = "TMessageForm"
CTRL_SHIFT_C = (2 | 4, 0x43)
CTRL_ALT_Q = (2 | 1, 0x51)
TIP_WORKS = "Quiklex \u2013 Ctrl+Shift+C"
TIP_TAKEN = "Quiklex \u2013 genvejen er optaget"


def tray_tips():
    return helper("traytips")[1].splitlines()


def tip_is(tip):
    """The program's icon shows this tip (and not the other)."""
    tips = tray_tips()
    return tip in tips and (TIP_TAKEN if tip == TIP_WORKS else TIP_WORKS) not in tips


def dialogs():
    return int(helper("count", DIALOG)[1] or 0)


class HeldShortcut(QuiklexTest):
    def hold(self, key, seconds):
        """Another program holds the shortcut for a while, from now."""
        holder = subprocess.Popen(["wine", HELPER, "hotkey", str(key[0]), str(key[1]),
                                   str(seconds)],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(holder.kill)
        self.assertEqual(holder.stdout.readline().strip(), "ready")
        return holder

    def write_settings(self, hotkey_line=""):
        with open(os.path.join(settings_folder(), user_name() + ".ini"), "w", newline="") as f:
            f.write("[Settings]\r\nPrgVersion=0.6.0\r\n" + hotkey_line)

    def looked_up(self, text):
        """Copies text and presses the shortcut with the panel focused (Wine hands a hot key
        over only then); the addresses opened."""
        copy_text(text)
        helper("send", 0, 0)
        wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
        before = len(browser_log())
        xdo("key", "ctrl+shift+c")
        wait_for(lambda: len(browser_log()) > before, 10, what="a lookup", fail=False)
        time.sleep(0.7)
        return browser_log()[before:]

    def afslut(self, q):
        p = find_panel()
        right_click_menu(p.left + 41, p.top + 16)  # the panel's menu; "Afslut" is its last entry
        xdo("key", "Up", "Return")
        self.assertEqual(q.exit_code(20), 0)

    def test_held_for_the_whole_run_the_shortcut_read_is_saved(self):
        for line, key, saved in (("", CTRL_SHIFT_C, "Hotkey=Shift+Ctrl+C"),
                                 ("Hotkey=ctrl+alt+q\r\n", CTRL_ALT_Q, "Hotkey=Ctrl+Alt+Q")):
            self.write_settings(line)
            holder = self.hold(key, 120)
            q = self.start()
            q.wait_visible()
            wait_for(lambda: tip_is(TIP_TAKEN), 15, what="the tip of a held shortcut")
            self.afslut(q)
            self.assertIn("\r\n" + saved + "\r\n", settings_text(), saved)
            holder.kill()
            holder.wait()

    def test_let_go_five_seconds_after_the_start_the_shortcut_works_unannounced(self):
        self.hold(CTRL_SHIFT_C, 5)
        q = self.start()
        q.wait_visible()
        wait_for(lambda: time.monotonic() - q.started >= 10, 15)
        self.assertEqual(self.looked_up("sol"), [LOOKUP + "sol/"])
        self.assertTrue(tip_is(TIP_WORKS))
        # Past the first 30 seconds: no problem message at any time.
        while time.monotonic() - q.started < 36:
            self.assertEqual(dialogs(), 0)
            time.sleep(1)
        self.assertTrue(q.running())

    def test_held_through_the_first_30_seconds_the_message_shows_once(self):
        holder = self.hold(CTRL_SHIFT_C, 300)
        q = self.start()
        q.wait_visible()
        wait_for(lambda: time.monotonic() - q.started >= 20, 25)
        self.assertEqual(dialogs(), 0)  # still trying quietly
        self.assertTrue(tip_is(TIP_TAKEN))
        wait_for(lambda: dialogs() == 1, 30, interval=0.5, what="the shortcut message")
        self.assertEqual(client(DIALOG)[4], "Quiklex")
        subprocess.run(["import", "-window", "root", os.path.join(WORK, "hotkey-held.png")],
                       capture_output=True, timeout=30)
        wait_for(lambda: foreground_class() == DIALOG, 5, what="the message in front")
        xdo("key", "Return")
        wait_for(lambda: dialogs() == 0, 5, what="the message to close")

        # The holder lets go: the next quiet retry (once a minute) takes the shortcut back and
        # only the tip says so.
        holder.kill()
        holder.wait()
        wait_for(lambda: tip_is(TIP_WORKS), 75, interval=1, what="the tip to recover")
        self.assertEqual(dialogs(), 0)
        self.assertEqual(self.looked_up("hus"), [LOOKUP + "hus/"])
        self.assertTrue(q.running())
