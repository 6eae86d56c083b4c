"""Keyboard alone: the settings and welcome windows answered with Tab, Shift+Tab and Space, the
panel's menu opened with Shift+F10 and the menu key and the page with Enter, and the tray
icon's keyboard events (sent as the shell sends them: Wine's tray does not pass the keyboard
on)."""
import time

from harness import (QuiklexTest, browser_log, client, find_panel, foreground_class, helper,
                     menu_open, open_settings_window, settings_text, shown, wait_for, xdo)
from test_settings import reg_delete

SETTINGS = "TFormSettings"
WELCOME = "TFormWelcome"
MARK = "0x555555"
INFO_MODERN = "http://www.lemmary.dk/#anvendelse/quiklex/"
# The shell's newer tray callback: the event in lParam, the icon's place in wParam.
TRAY_KEY_SELECT = 0x401
TRAY_CONTEXT_MENU = 0x7B


def keys(*names):
    for name in names:
        xdo("key", name)
        time.sleep(0.15)


def panel_focused(p):
    """A click on the panel (beside its buttons) gives it the keyboard; the mouse then goes
    far away again."""
    xdo("mousemove", p.left + 1 + 44, p.top + 1 + 15, "click", 1)
    wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
    xdo("mousemove", 10, 700)
    time.sleep(0.3)


class SettingsByKeyboard(QuiklexTest):
    def setUp(self):
        super().setUp()
        for root in ("HKCU", "HKLM"):
            self.addCleanup(reg_delete, root, "quiklex")

    def open_settings(self):
        """Starts the program and opens its settings window in front; its client rectangle."""
        self.start().wait_visible()
        open_settings_window()
        wait_for(lambda: foreground_class() == SETTINGS, 5, what="the settings window in front")
        return client(SETTINGS)

    def mark(self, w, y):
        """The first pixel of the check mark of the box at client y (13 + 4 + 11 in, 3 down)."""
        return helper("pixel", w[0] + 13 + 15, w[1] + y + 3)[1]

    def test_a_setting_changed_and_saved_by_keyboard_alone(self):
        w = self.open_settings()
        self.assertEqual(self.mark(w, 133), MARK)  # "Ikon ved siden af uret" is on
        # The shortcut field has the keyboard; Tab walks OK, Annuller, Standard, then the
        # boxes from the top: the second is "Ikon ved siden af uret".
        keys("Tab", "Tab", "Tab", "Tab", "Tab")
        keys("space")
        wait_for(lambda: self.mark(w, 133) != MARK, 5, what="the check mark to go")
        self.assertEqual(self.mark(w, 107), MARK)  # the others stay as they were
        # On to OK: "Automatisk programstart", past the disabled "Start skjult", the Chrome
        # Frame box, the shortcut field, OK.
        keys("Tab", "Tab", "Tab", "Tab", "space")
        wait_for(lambda: not shown(SETTINGS), 10, what="the window to close")
        wait_for(lambda: "SysTrayIcon=0" in settings_text().split("\r\n"), 10,
                 what="the setting saved")

    def test_shift_tab_goes_back_and_esc_keeps_its_meaning(self):
        w = self.open_settings()
        # Back from the shortcut field: the Chrome Frame box, then past "Start skjult" to
        # "Automatisk programstart" and "Ikon ved siden af uret".
        keys("shift+Tab", "shift+Tab", "shift+Tab", "space")
        wait_for(lambda: self.mark(w, 133) != MARK, 5, what="the check mark to go")
        # Esc closes with the question, whatever has the focus; in the question Tab moves
        # from "Ja" to "Nej" and Space answers.
        keys("Escape")
        wait_for(lambda: foreground_class() == "TMessageForm", 10, what="the question")
        self.assertEqual(client("TMessageForm")[4], "")
        keys("Tab", "space")
        wait_for(lambda: not shown(SETTINGS), 10, what="the window to close")
        time.sleep(1)
        self.assertNotIn("SysTrayIcon=0", settings_text().split("\r\n"))


class WelcomeByKeyboard(QuiklexTest):
    first_start = True

    def test_the_welcome_window_answered_by_keyboard(self):
        q = self.start()
        wait_for(lambda: shown(WELCOME), 30, what="the welcome window")
        wait_for(lambda: foreground_class() == WELCOME, 5, what="the welcome window in front")
        before = len(browser_log())
        # Tab reaches "Moderne", then "IE 7, 8, 9", and Shift+Tab goes back.
        keys("Tab", "Tab", "shift+Tab", "space")
        wait_for(lambda: len(browser_log()) > before, 10, what="the information page")
        self.assertEqual(browser_log()[before:], [INFO_MODERN])
        self.assertFalse(shown(WELCOME))


class PanelByKeyboard(QuiklexTest):
    def started(self):
        xdo("mousemove", 10, 700)  # the mouse far from the panel: menus must not go there
        q = self.start()
        return q, q.wait_visible()

    def assert_menu_at_panel(self, p):
        menu = wait_for(menu_open, 5, what="the panel menu")
        # At the menu image (client 30, 10), or moved left by the screen's right edge.
        self.assertEqual(menu[1], p.top + 1 + 10)
        self.assertLessEqual(menu[0], p.left + 1 + 30)
        self.assertGreater(menu[2], p.left)
        keys("Escape")
        wait_for(lambda: menu_open() is None, 5, what="the menu to close")

    def test_menu_by_shift_f10_and_the_menu_key_and_the_page_by_enter(self):
        _, p = self.started()
        panel_focused(p)
        keys("shift+F10")
        self.assert_menu_at_panel(p)
        panel_focused(p)
        keys("Menu")
        self.assert_menu_at_panel(p)
        panel_focused(p)
        before = len(browser_log())
        keys("Return")
        wait_for(lambda: len(browser_log()) > before, 10, what="the dictionary page")
        self.assertEqual(len(browser_log()) - before, 1)
        self.assertTrue(browser_log()[-1].startswith("http"))

    def test_tray_icon_keyboard_select_and_context_menu(self):
        _, p = self.started()
        helper("post", 0, 4)  # hidden, as "Skjul panel" hides it
        wait_for(lambda: not find_panel().visible, 5, what="the panel to hide")
        icon = (700 << 16) | 900  # the icon's place: x 900, y 700
        helper("post", icon, TRAY_KEY_SELECT)  # Enter or Space on the focused icon
        wait_for(lambda: find_panel().visible, 5, what="the panel back")
        helper("post", icon, TRAY_CONTEXT_MENU)  # Shift+F10 or the menu key on it
        menu = wait_for(menu_open, 5, what="the tray menu")
        # At the icon (moved up or left where the screen ends), not at the mouse (10, 700).
        self.assertGreater(menu[2], 900 - 5)
        self.assertLessEqual(menu[1], 700)
        self.assertGreater(menu[0], 10)
        keys("Escape")
        wait_for(lambda: menu_open() is None, 5, what="the menu to close")
