"""The keyboard focus in the settings window: Alt+letter presses or focuses a control, the
focus comes back to the same control when the window is activated again, and a question
opened with the mouse shows its focus rectangle only once the keyboard is used."""
import time

from harness import (QuiklexTest, client, foreground_class, helper, open_settings_window,
                     settings_text, shown, wait_for, xdo)
from test_settings import reg_delete

SETTINGS = "TFormSettings"
DIALOG = "TMessageForm"
MARK = "0x555555"
SYSTRAY_BOX = (13, 133)   # "Ikon ved siden af uret", client pixels
BUTTON_FACE = "0xDDDDDD"
CTRL_SHIFT_X = 0x0358     # the field's value: Ctrl and Shift (3) with X
CTRL_ALT_Q = 0x0651


def keys(*names):
    for name in names:
        xdo("key", name)
        time.sleep(0.2)


def field_value():
    code, out = helper("hotkeyfield", SETTINGS)
    return int(out, 16) if code == 0 else None


class SettingsFocus(QuiklexTest):
    def setUp(self):
        super().setUp()
        for root in ("HKCU", "HKLM"):
            self.addCleanup(reg_delete, root, "quiklex")
        self.start().wait_visible()
        self.w = open_settings_window()
        wait_for(lambda: foreground_class() == SETTINGS, 5, what="the settings window in front")

    def systray_mark(self):
        x, y = SYSTRAY_BOX
        return helper("pixel", self.w[0] + x + 15, self.w[1] + y + 3)[1]

    def away_and_back(self):
        """Another program's window comes to the front; then a click on the window's header
        (no control there) activates the window again."""
        self.other_window(5)
        xdo("mousemove", self.w[0] + 250, self.w[1] + 20, "click", 1)
        wait_for(lambda: foreground_class() == SETTINGS, 5, what="the settings window back")
        time.sleep(0.3)

    def test_alt_letters_press_a_box_and_focus_the_shortcut_field(self):
        self.assertEqual(self.systray_mark(), MARK)
        # The window opens with the shortcut field focused, which takes Alt+letter as a
        # shortcut; from OK the letters act.
        keys("Tab", "alt+i")
        wait_for(lambda: self.systray_mark() != MARK, 5, what="the check mark to go")
        keys("alt+t", "ctrl+shift+x")
        wait_for(lambda: field_value() == CTRL_SHIFT_X, 5, what="the new shortcut in the field")
        # From the field Tab goes to OK, which Space presses: both changes are kept.
        keys("Tab", "space")
        wait_for(lambda: not shown(SETTINGS), 10, what="the window to close")
        wait_for(lambda: {"SysTrayIcon=0", "Hotkey=Shift+Ctrl+X"}
                 <= set(settings_text().split("\r\n")), 10, what="the settings saved")

    def test_focus_comes_back_to_the_same_control(self):
        # The shortcut field, a window of its own.
        self.away_and_back()
        keys("ctrl+alt+q")
        wait_for(lambda: field_value() == CTRL_ALT_Q, 5, what="the keys in the field")
        # A drawn check-mark button: Space after the return presses it.
        keys("Tab", "alt+i")
        wait_for(lambda: self.systray_mark() != MARK, 5, what="the check mark to go")
        self.away_and_back()
        keys("space")
        wait_for(lambda: self.systray_mark() == MARK, 5, what="the check mark back")
        self.assertEqual(field_value(), CTRL_ALT_Q)

    def test_a_question_opened_with_the_mouse_shows_its_focus_after_tab(self):
        # A change by mouse, then a close request: the question comes up with "Ja" focused.
        x, y = SYSTRAY_BOX
        xdo("mousemove", self.w[0] + x + 60, self.w[1] + y + 10, "click", 1)
        wait_for(lambda: self.systray_mark() != MARK, 5, what="the check mark to go")
        helper("closewindow", SETTINGS)
        wait_for(lambda: foreground_class() == DIALOG, 10, what="the question")
        time.sleep(0.5)  # painted

        def focus_dots():
            """Pixels off the face in the column 4 in from the left edge of "Ja", where the
            focus rectangle's left side runs."""
            left, top, width, height, _ = client(DIALOG)
            button_left = left + (width // 2 - 62) // 2
            button_top = top + height - 28 + 4
            return [helper("pixel", button_left + 4, button_top + y)[1] != BUTTON_FACE
                    for y in range(6, 16)].count(True)

        self.assertEqual(focus_dots(), 0)
        keys("Tab", "shift+Tab")  # to "Nej" and back
        wait_for(lambda: focus_dots() > 0, 5, what="the focus rectangle on Ja")
        keys("Tab", "space")  # "Nej": nothing is kept
        wait_for(lambda: not shown(SETTINGS), 10, what="the window to close")
        time.sleep(1)
        self.assertNotIn("SysTrayIcon=0", settings_text().split("\r\n"))
