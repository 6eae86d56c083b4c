"""Start-up, one instance per session, forwarding from a second start, minimising."""
import time

from harness import (PANEL_COLOUR, QuiklexTest, find_panel, foreground_class, helper, start_second,
                     wait_for)


class StartUp(QuiklexTest):
    def test_panel_size_place_and_colour(self):
        q = self.start()
        p = q.wait_visible()
        self.assertEqual((p.width, p.height, p.top), (82, 32, 0))
        self.assertEqual(p.left, 1024 - 164)
        # Inside the border, clear of the logo.
        self.assertEqual(helper("pixel", p.left + 2, p.top + 2)[1], PANEL_COLOUR)

    def test_start_delay(self):
        q = self.start("-startdelay", "3")
        q.wait_visible(30)
        self.assertGreaterEqual(time.monotonic() - q.started, 3.0)
        q.kill()

        # A word that is not a number is consumed and ignored; the same for "-startdelay -5".
        for word in ("x", "-5"):
            q = self.start("-STARTDELAY", word)
            q.wait_visible()
            self.assertLess(time.monotonic() - q.started, 3.0, word)
            q.kill()

    def test_minimised_start_and_show_again(self):
        self.start("-m")
        wait_for(lambda: (p := find_panel()) and not p.visible, 20, what="a hidden panel")
        time.sleep(1)
        self.assertFalse(find_panel().visible)
        self.assertEqual(start_second(), 1)
        self.assertTrue(find_panel().visible)


class SecondStart(QuiklexTest):
    def test_second_start_exits_1_and_brings_the_first_forward(self):
        q = self.start()
        q.wait_visible()
        self.other_window()
        self.assertEqual(start_second(), 1)
        wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel in front")
        self.assertTrue(q.running())

    def test_command_words(self):
        q = self.start()
        q.wait_visible()
        # Shown: plain, "-clipboard" in any case and position, "-help" with 0, 65535 and -1.
        for args in ((), ("x", "-CLIPboard"), ("-help", "0"), ("-help", "65535"),
                     ("-help", "-1"), ("-help", "word")):
            other = self.other_window()
            self.assertEqual(start_second(*args), 1, args)
            wait_for(lambda: foreground_class() == "TFormMain", 5, what="panel for %s" % (args,))
            other.kill()
        # 70000 is the word 4464, which the running instance ignores: nothing comes forward.
        self.other_window()
        self.assertEqual(start_second("-help", "70000"), 1)
        time.sleep(0.5)
        self.assertEqual(foreground_class(), "QlxOther")
        self.assertTrue(q.running())

    def test_instance_signal_replies(self):
        q = self.start()
        q.wait_visible()
        message = int(helper("send", 0, 0)[1])
        self.assertGreater(message, 0xC000 - 1)  # a registered message number
        self.assertEqual(helper("send", 0xFFFF, 0)[1], str(message))
        self.assertEqual(helper("send", 4464, 0)[1], "0")
        self.assertEqual(helper("send", 0, 1)[1], "0")


class Closing(QuiklexTest):
    def test_close_requests_only_minimise(self):
        q = self.start()
        q.wait_visible()
        helper("close")
        wait_for(lambda: not find_panel().visible, 5, what="the panel to hide")
        self.assertTrue(q.running())
        self.assertEqual(helper("send", 0, 0)[0], 0)
        wait_for(lambda: find_panel().visible, 5, what="the panel back")

        # Alt+F4 on the focused panel.
        helper("send", 0, 0)
        wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
        import subprocess
        subprocess.run(["xdotool", "key", "alt+F4"], check=False)
        wait_for(lambda: not find_panel().visible, 5, what="Alt+F4 to hide the panel")
        self.assertTrue(q.running())

        helper("send", 0, 0)
        wait_for(lambda: find_panel().visible, 5, what="the panel back")
        helper("post", 0, 4)
        wait_for(lambda: not find_panel().visible, 5, what="lParam 4 to minimise")
        self.assertTrue(q.running())
