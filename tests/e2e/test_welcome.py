"""The very first start: the welcome window beside the panel, closed only by its two buttons,
and what each answer does (the Chrome Frame value, the message, the information page)."""
import os
import subprocess

from harness import (BROWSER_LOG, HELPER, PANEL_COLOUR, WORK, QuiklexTest, browser_log, client,
                     find_panel, foreground_class, helper, reg_values, right_click_menu,
                     settings_folder, settings_text, shown, start_second, user_name, wait_for,
                     windows_path, xdo)

WELCOME = "TFormWelcome"
DIALOG = "TMessageForm"
CHROME_FRAME_KEY = r"HKCU\Software\Google\ChromeFrame"
INFO_MODERN = "http://www.lemmary.dk/#anvendelse/quiklex/"
INFO_GCF = "gcf:http://www.lemmary.dk/anvendelse/quiklex/"








def chrome_frame_value():
    return reg_values(CHROME_FRAME_KEY).get("AllowUnsafeURLs")




class Welcome(QuiklexTest):
    first_start = True

    def setUp(self):
        super().setUp()
        subprocess.run(["wine", "reg", "delete", CHROME_FRAME_KEY, "/f"], capture_output=True,
                       timeout=60)

    def welcome(self):
        q = self.start()
        wait_for(lambda: shown(WELCOME), 30, what="the welcome window")
        return q, client(WELCOME)

    def click(self, window, x, y):
        xdo("mousemove", window[0] + x, window[1] + y, "click", 1)

    def end_with_afslut(self, q):
        p = find_panel()
        right_click_menu(p.left + 41, p.top + 16)
        xdo("key", "Up", "Return")
        self.assertEqual(q.exit_code(20), 0)

    def test_beside_the_panel_and_only_its_buttons_close_it(self):
        _, w = self.welcome()
        left, top, width, height, caption = w
        self.assertEqual((width, height, caption), (349, 265, "Velkommen"))
        subprocess.run(["import", "-window", "root", os.path.join(WORK, "welcome.png")],
                       capture_output=True, timeout=30)
        # Beside the panel: its outer top 20 below the panel's, its right edge 20 left of it.
        p = find_panel()
        outer = helper("window", WELCOME)[1].split()
        self.assertEqual(int(outer[3]), p.top + 20)
        self.assertEqual(int(outer[2]) + int(outer[4]), p.left - 20)
        # The header in the panel colour, the two button faces light grey, the rest white.
        for x, y, colour in ((5, 5, PANEL_COLOUR), (340, 45, PANEL_COLOUR),
                             (62, 129, "0xDDDDDD"), (289, 145, "0xDDDDDD"),
                             (5, 60, "0xFFFFFF"), (5, 140, "0xFFFFFF")):
            self.assertEqual(helper("pixel", left + x, top + y)[1], colour, (x, y))

        # Neither a close request, nor Alt+F4, nor the close box closes it.
        helper("closewindow", WELCOME)
        wait_for(lambda: foreground_class() == WELCOME, 5, what="the welcome window in front")
        xdo("key", "alt+F4")
        outer_right = int(outer[2]) + int(outer[4])
        xdo("mousemove", outer_right - 8, int(outer[3]) + (top - int(outer[3])) // 2, "click", 1)
        self.assertFalse(wait_for(lambda: not shown(WELCOME), 2, fail=False))

        # While it is open, a second start and the shortcut only lift the program's windows.
        helper("clipboard", "hus")
        before = len(browser_log())
        self.assertEqual(start_second("-clipboard"), 1)
        xdo("key", "ctrl+shift+c")
        self.assertTrue(shown(WELCOME))
        wait_for(lambda: foreground_class() == WELCOME, 5, what="the welcome window in front")
        self.assertEqual(browser_log()[before:], [])

    def test_moderne_opens_the_modern_page_and_writes_nothing(self):
        q, w = self.welcome()
        before = len(browser_log())
        self.click(w, 59 + 39, 123 + 4 + 10)
        wait_for(lambda: len(browser_log()) > before, 10, what="the information page")
        self.assertEqual(browser_log()[before:], [INFO_MODERN])
        self.assertFalse(shown(WELCOME))
        self.assertFalse(shown(DIALOG))
        self.assertIsNone(chrome_frame_value())
        self.end_with_afslut(q)
        self.assertIn("UseChromeFrame=0", settings_text())

        # The file is there now: the next start shows no welcome window.
        q = self.start()
        q.wait_visible()
        self.assertFalse(wait_for(lambda: shown(WELCOME), 3, fail=False))

    def gcf_handler(self):
        """Chrome Frame's scheme handled by the helper, which logs the address as the
        browser stand-in does (this Wine reads schemes from the machine's classes only)."""
        key = r"HKLM\Software\Classes\gcf"
        command = '"%s" append "%s" "%%1"' % (windows_path(HELPER), windows_path(BROWSER_LOG))
        for args in (("/ve", "/d", "URL:gcf"), ("/v", "URL Protocol", "/d", "")):
            subprocess.run(["wine", "reg", "add", key, *args, "/f"], capture_output=True,
                           timeout=60)
        subprocess.run(["wine", "reg", "add", key + r"\shell\open\command", "/ve", "/d", command,
                        "/f"], capture_output=True, timeout=60)
        self.addCleanup(subprocess.run, ["wine", "reg", "delete", key, "/f"],
                        capture_output=True, timeout=60)

    def test_old_internet_explorer_prepares_chrome_frame(self):
        self.gcf_handler()
        for existing, expected in ((None, ("REG_DWORD", "0x1")), ("0", ("REG_SZ", "1"))):
            if existing is not None:
                subprocess.run(["wine", "reg", "add", CHROME_FRAME_KEY, "/v", "AllowUnsafeURLs",
                                "/t", "REG_SZ", "/d", existing, "/f"], capture_output=True,
                               timeout=60)
            q, w = self.welcome()
            before = len(browser_log())
            self.click(w, 213 + 39, 123 + 4 + 10)
            wait_for(lambda: foreground_class() == DIALOG, 10, what="the preparation message")
            self.assertEqual(client(DIALOG)[4], "Automatisk forberedelse")
            self.assertEqual(chrome_frame_value(), expected)
            self.assertEqual(browser_log()[before:], [])
            # Its OK button, centred in the strip along the bottom.
            left, top, width, height, _ = client(DIALOG)
            xdo("mousemove", left + width // 2, top + height - 28 + 4 + 11, "click", 1)
            wait_for(lambda: len(browser_log()) > before, 10, what="the information page")
            self.assertEqual(browser_log()[before:], [INFO_GCF])
            self.end_with_afslut(q)
            self.assertIn("UseChromeFrame=1", settings_text())
            clear = os.path.join(settings_folder(), user_name() + ".ini")
            os.remove(clear)
