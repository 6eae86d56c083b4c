"""The Linux program by keyboard alone: Tab and Shift+Tab in the table's order, Space, Enter
and Esc in the settings window and its question, Alt with a letter (not in the shortcut
field), the focus rectangle and the underlines only after keyboard use, and the panel's
menu by Shift+F10 and the menu key and its page by Enter."""
import time

from linux_harness import LinuxTest, geometry, pixels, run, wait_for, windows
from test_program import KNOWN, LOOKUP, hover, open_settings

SETTINGS = "^Om programmet$"


def keys(*names):
    for name in names:
        run("xdotool", "key", name)
        time.sleep(0.2)


def saved(q):
    with open(q.settings_file, encoding="utf-8") as f:
        return f.read()


def active():
    return int(run("xdotool", "getactivewindow").stdout.strip() or 0)


class SettingsByKeyboard(LinuxTest):
    def open(self):
        self.settings(KNOWN)
        self.q = self.quiklex().start()
        window = open_settings(self.q.panel())
        run("xdotool", "windowactivate", "--sync", str(window))
        wait_for(lambda: active() == window, 5, what="the settings window in front")
        time.sleep(0.3)
        return window

    def shot(self, window, box):
        x, y, _, _ = geometry(window)
        return pixels(x + box[0], y + box[1], box[2], box[3])

    def test_tab_order_space_enter_and_the_cues_after_keyboard_use(self):
        window = self.open()
        # "Altid over andre vinduer" and the label "Tastaturgenvej:" as the mouse left them.
        box, label = (13, 107, 157, 22), (30, 233, 84, 15)
        before, label_before = self.shot(window, box), self.shot(window, label)
        # Alt held shows the underlines; let go, they go.
        run("xdotool", "keydown", "alt")
        time.sleep(0.3)
        self.assertNotEqual(self.shot(window, label), label_before, "underline while Alt is held")
        run("xdotool", "keyup", "alt")
        time.sleep(0.3)
        self.assertEqual(self.shot(window, label), label_before)
        # The shortcut field has the keyboard; Tab walks OK, Annuller, Standard, then the
        # boxes from the top, and Shift+Tab comes back: the box now shows its focus.
        keys("Tab", "Tab", "Tab", "Tab", "Tab", "shift+Tab")
        self.assertNotEqual(self.shot(window, box), before, "the focus rectangle after Tab")
        # On to "Ikon ved siden af uret": Space takes its mark. Enter is OK, which asks
        # whether to keep the change (not closed by a button); Enter answers "Ja".
        keys("Tab", "space", "Return")
        wait_for(lambda: active() not in (0, window), 10, what="the question")
        keys("Return")
        wait_for(lambda: not windows(SETTINGS), 10, what="the window to close")
        wait_for(lambda: "SysTrayIcon=0\n" in saved(self.q), 10, what="the setting saved")
        self.assertIn("AlwaysOnTop=1\n", saved(self.q))

    def test_shift_tab_alt_letters_in_the_field_and_esc_with_its_question(self):
        window = self.open()
        # Alt+S in the shortcut field is a shortcut, not "Standard".
        keys("alt+s")
        # Back from the field: past the hidden and the disabled box to "Automatisk
        # programstart", then "Ikon ved siden af uret", which Space changes.
        keys("shift+Tab", "shift+Tab", "space")
        # Esc asks whether to keep the changes; Tab moves from "Ja" to "Nej", Space answers.
        keys("Escape")
        question = wait_for(lambda: active() not in (0, window) and active(), 10,
                            what="the question")
        keys("Tab", "space")
        wait_for(lambda: not windows(SETTINGS), 10, what="the window to close")
        self.assertNotIn(question, windows(""))
        time.sleep(0.5)
        self.assertNotIn("SysTrayIcon=0", saved(self.q))
        self.assertNotIn("Hotkey=Alt+S", saved(self.q))
        # Once more, and this time the changes are kept: Alt+S was the shortcut.
        window = open_settings(self.q.panel())
        run("xdotool", "windowactivate", "--sync", str(window))
        time.sleep(0.3)
        keys("alt+s", "Return")
        wait_for(lambda: active() not in (0, window), 10, what="the question")
        keys("Return")
        wait_for(lambda: "Hotkey=Alt+S\n" in saved(self.q), 10, what="the shortcut saved")


class PanelByKeyboard(LinuxTest):
    def test_menu_by_shift_f10_and_the_menu_key_the_page_by_enter_and_the_focus_cue(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        panel = q.panel()
        x, y, w, h = geometry(panel)

        def focused():
            """A click beside the buttons gives the panel the keyboard; the mouse leaves."""
            hover(x + 3, y + 3)
            run("xdotool", "click", "1")
            wait_for(lambda: active() == panel, 5, what="the panel focused")
            run("xdotool", "mousemove", "5", "700")
            time.sleep(1.5)  # the buttons go again

        def menu():
            found = wait_for(lambda: [m for m in windows("") if m != panel and
                                      60 < geometry(m)[3] < 400], 5, what="the panel menu")
            mx, my, _, _ = geometry(found[0])
            self.assertLess(abs(my - (y + h)), 40)  # at the panel, not at the mouse
            self.assertLess(abs(mx - x), 200)
            keys("Escape")
            wait_for(lambda: not [m for m in windows("") if m != panel and
                                  60 < geometry(m)[3] < 400], 5, what="the menu closed")

        focused()
        quiet = pixels(x, y, w, h)
        keys("Tab")
        self.assertNotEqual(pixels(x, y, w, h), quiet, "the focus rectangle after Tab")
        keys("shift+F10")
        menu()
        focused()
        self.assertEqual(pixels(x, y, w, h), quiet, "no focus rectangle after the mouse")
        keys("Menu")
        menu()
        focused()
        keys("Return")
        self.assertEqual(q.wait_opened(1), [LOOKUP])
