"""The settings window end to end: opened from both menus and by the internal command, the
question on closing after a change, "Standard" and the panel's place, the administrator's lock
of the automatic start, the shortcut field, and what OK applies and saves."""
import os
import re
import subprocess
import time

from harness import (EXE, HELPER, WORK, QuiklexTest, browser_log, client, copy_text, find_panel,
                     foreground_class, helper, menu_open, open_settings_window, right_click_menu,
                     settings_folder, settings_text, shown, user_name, wait_for, windows_path,
                     xdo)
from test_settings import reg_add, reg_delete, run_list

WINDOW = "TFormSettings"
DIALOG = "TMessageForm"
LOOKUP = "http://www.lemmary.dk/#ordbog/"
SCREEN_WIDTH = 1024
MARK = "0x555555"

# Client pixels of the window's controls: a point inside each, and the first pixel of a box's
# check mark (the pattern's top row: 4 + 11 in, 3 down).
BOXES = {"AlwaysOnTop": (13, 107), "Systray": (13, 133), "RunOnStart": (13, 158),
         "MinimizeOnStart": (47, 179), "UseGCF": (13, 202)}
BUTTONS = {"OK": (46, 276), "Annuller": (107, 276), "Standard": (266, 276)}








def field_value():
    code, out = helper("hotkeyfield", WINDOW)
    return int(out, 16) if code == 0 else None




def screen_colours(left, top, width, height):
    """The colours (0xRRGGBB) of a part of the screen, row by row."""
    p = subprocess.run(["import", "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (width, height, left, top), "-depth", "8", "txt:-"],
                       capture_output=True, text=True, timeout=30)
    return ["0x" + m.group(1) for m in re.finditer(r"#([0-9A-F]{6})\b", p.stdout)]


def darkest(colours):
    return min(colours, key=lambda c: sum(int(c[i:i + 2], 16) for i in (2, 4, 6)))


def grab(name):
    subprocess.run(["import", "-window", "root", os.path.join(WORK, name)], capture_output=True,
                   timeout=30)


class SettingsWindow(QuiklexTest):

    def setUp(self):
        super().setUp()
        for root in ("HKCU", "HKLM"):
            self.addCleanup(reg_delete, root, "quiklex")

    def started(self):
        q = self.start()
        q.wait_visible()
        return q

    def window(self):
        wait_for(lambda: shown(WINDOW), 10, what="the settings window")
        return client(WINDOW)

    def by_command(self):
        return open_settings_window()

    def closed(self):
        wait_for(lambda: not shown(WINDOW), 10, what="the settings window to close")

    def click(self, w, point, dx=60, dy=10):
        xdo("mousemove", w[0] + point[0] + dx, w[1] + point[1] + dy, "click", 1)
        time.sleep(0.3)

    def press(self, w, button):
        self.click(w, BUTTONS[button], 0, 0)

    def mark(self, w, box):
        x, y = BOXES[box]
        return helper("pixel", w[0] + x + 15, w[1] + y + 3)[1]

    def dialog(self):
        wait_for(lambda: foreground_class() == DIALOG, 10, what="a message dialog")
        return client(DIALOG)

    def answer(self, which):
        """Clicks a dialog button: "left", "right" or "only"."""
        left, top, width, height, _ = client(DIALOG)
        x = {"left": width // 4, "right": width * 3 // 4, "only": width // 2}[which]
        xdo("mousemove", left + x, top + height - 28 + 4 + 11, "click", 1)
        wait_for(lambda: not shown(DIALOG), 10, what="the dialog to close")

    def saved(self, *lines):
        wait_for(lambda: all(line in settings_text().split("\r\n") for line in lines), 10,
                 what="the settings saved with " + ", ".join(lines))

    def panel_place(self):
        p = find_panel()
        return p.left, p.top

    def test_opened_from_both_menus_and_by_the_command(self):
        self.started()
        # The panel's menu: "Indstillinger" is its third entry.
        p = find_panel()
        right_click_menu(p.left + 41, p.top + 16)
        xdo("key", "Down", "Down", "Down", "Return")
        w = self.window()
        self.assertEqual(w[2:], (325, 290, "Om programmet"))
        time.sleep(0.5)
        grab("settings-window.png")
        # Checked, unchecked, and "Start skjult" disabled without the automatic start.
        self.assertEqual([self.mark(w, b) for b in ("AlwaysOnTop", "Systray", "RunOnStart")],
                         [MARK, MARK, "0xFFFFFF"])
        caption = screen_colours(w[0] + 47 + 18, w[1] + 179, 60, 20)
        self.assertNotEqual(darkest(caption), "0x000000")
        # Esc without a change: closed at once, no question.
        xdo("key", "Escape")
        self.closed()
        self.assertFalse(shown(DIALOG))

        # The tray menu's entry brings the hidden panel forward first. Without a visible
        # window of the program Wine gives the menu no keyboard, so the mouse it is; the tray
        # menu has one entry more than the panel's, both have two separators.
        panel_menu = right_click_menu(p.left + 41, p.top + 16)
        xdo("key", "Down", "Return")  # "Skjul panel"
        wait_for(lambda: not find_panel().visible, 5, what="the panel to hide")
        helper("post", 0, 517)
        menu = wait_for(menu_open, 5, what="the tray menu")
        entry = (menu[3] - menu[1]) - (panel_menu[3] - panel_menu[1])
        separator = ((menu[3] - menu[1]) - 6 - 6 * entry) // 2
        xdo("mousemove", (menu[0] + menu[2]) // 2,
            menu[1] + 3 + 3 * entry + separator + entry // 2, "click", 1)
        self.window()
        self.assertTrue(find_panel().visible)
        xdo("key", "Escape")
        self.closed()

        # The internal command; asked again while the window is open, it only brings the
        # program forward.
        self.by_command()
        first = helper("window", WINDOW)[1].split()[0]
        helper("post", 2, 5)
        time.sleep(1)
        self.assertEqual(helper("window", WINDOW)[1].split()[0], first)
        xdo("key", "Escape")
        self.closed()
        self.assertFalse(wait_for(lambda: shown(WINDOW), 2, fail=False))

    def test_tray_icon_and_shortcut_bring_the_open_window_forward(self):
        # A tool window is not in the window switcher: the icon's left click and the shortcut
        # (which the window takes for its field) are the ways back to it from another program.
        self.started()
        self.by_command()
        for way, bring in (("left click", lambda: helper("post", 0, 514)),
                           ("shortcut", lambda: xdo("key", "ctrl+shift+c"))):
            other = self.other_window()
            bring()
            wait_for(lambda: foreground_class() == WINDOW, 5, what="the window forward: " + way)
            other.kill()
        self.assertEqual(field_value(), 0x0343)
        xdo("key", "Escape")  # nothing changed: closed without a question
        self.closed()

    def test_changes_asked_for_after_esc_and_applied_with_ok(self):
        self.started()
        w = self.by_command()
        self.click(w, BOXES["AlwaysOnTop"])
        self.assertEqual(self.mark(w, "AlwaysOnTop"), "0xFFFFFF")
        xdo("key", "Escape")
        self.assertEqual(self.dialog()[4], "")  # "Vil du gemme ændringerne?", no caption
        self.answer("left")  # "Ja"
        self.closed()
        self.saved("AlwaysOnTop=0")
        self.assertEqual(helper("topmost")[1], "0")

        # Without the icon beside the clock the program gets its taskbar button.
        self.assertEqual(helper("trayicon")[1], "1")
        w = self.by_command()
        self.click(w, BOXES["Systray"])
        self.press(w, "OK")
        self.closed()
        wait_for(lambda: helper("trayicon")[1] == "0", 5, what="the tray icon to go")
        self.assertEqual(helper("window", "QuiklexApplication")[1].split()[1], "1")
        self.saved("SysTrayIcon=0", "AlwaysOnTop=0")

    def test_esc_leaves_the_yes_no_question_open(self):
        self.started()
        w = self.by_command()
        self.click(w, BOXES["AlwaysOnTop"])
        xdo("key", "Escape")
        self.dialog()  # "Vil du gemme ændringerne?" with "Ja" and "Nej"
        xdo("key", "Escape")  # as the system's message box: nothing without a cancel button
        time.sleep(1.5)
        self.assertEqual(foreground_class(), DIALOG)
        self.answer("right")  # "Nej"
        self.closed()
        self.assertNotIn("AlwaysOnTop=0", settings_text())

    def test_standard_moves_the_panel_which_annuller_puts_back(self):
        with open(os.path.join(settings_folder(), user_name() + ".ini"), "w", newline="") as f:
            f.write("[MainForm]\r\nFromTop=300\r\nFromLeft=100\r\n\r\n"
                    "[Settings]\r\nPrgVersion=0.6.0\r\n")
        self.started()
        home = self.panel_place()
        self.assertEqual(home, (100, 300))
        top_right = (SCREEN_WIDTH - 82 - 82, 0)
        for button in ("Annuller", "OK"):
            w = self.by_command()
            self.press(w, "Standard")
            self.assertEqual(self.dialog()[4], "")  # the Internet Explorer question
            self.answer("left")  # "Nej"
            wait_for(lambda: self.panel_place() == top_right, 5, what="the panel at the top")
            self.press(w, button)
            self.closed()
            self.assertFalse(shown(DIALOG))
            self.assertEqual(self.panel_place(), home if button == "Annuller" else top_right)
        self.saved("FromTop=0", "FromRight=82", "AlwaysOnTop=1", "UseChromeFrame=0")

    def test_machine_wide_entry_locks_the_automatic_start(self):
        reg_add("HKLM", "quiklex", '"%s" -auto' % windows_path(EXE))
        self.started()
        w = self.by_command()
        time.sleep(0.5)
        grab("settings-window-locked.png")
        self.assertEqual(self.mark(w, "RunOnStart"), MARK)
        self.assertEqual(darkest(screen_colours(w[0] + 13 + 18, w[1] + 158, 120, 20)),
                         "0x808080")
        self.click(w, BOXES["RunOnStart"])
        self.assertEqual(self.dialog()[4], "Automatisk programstart")
        self.answer("only")
        self.assertEqual(self.mark(w, "RunOnStart"), MARK)
        # "Start skjult" may still change, and is kept.
        self.click(w, BOXES["MinimizeOnStart"], 30)
        self.assertEqual(self.mark(w, "MinimizeOnStart"), MARK)
        self.press(w, "OK")
        self.closed()
        self.saved("MinimizeStart=1")
        self.assertNotIn("quiklex", run_list("HKCU"))

    def test_shortcut_field(self):
        self.started()

        # The shortcut pressed while the window is open goes into the field, no page opens.
        w = self.by_command()
        self.assertEqual(field_value(), 0x0343)  # Shift+Ctrl+C
        xdo("key", "ctrl+shift+a")
        wait_for(lambda: field_value() == 0x0341, 5, what="the typed shortcut")
        before = len(browser_log())
        xdo("key", "ctrl+shift+c")
        wait_for(lambda: field_value() == 0x0343, 5, what="the current shortcut in the field")
        time.sleep(1)
        self.assertEqual(browser_log()[before:], [])
        xdo("key", "Escape")  # the field is back at the shortcut: no change, no question
        self.closed()
        self.assertFalse(shown(DIALOG))

        # A new shortcut works after OK and is saved as its text; the old one is gone.
        w = self.by_command()
        xdo("key", "ctrl+shift+q")
        wait_for(lambda: field_value() == 0x0351, 5, what="the typed shortcut")
        self.press(w, "OK")
        self.closed()
        self.saved("Hotkey=Shift+Ctrl+Q")
        self.assertEqual(self.looked_up("ctrl+shift+q"), [LOOKUP + "hus/"])
        self.assertEqual(self.looked_up("ctrl+shift+c", expect=False), [])

        # One that another program holds: the problem message, and the old one keeps working.
        w = self.by_command()
        xdo("key", "ctrl+shift+x")
        wait_for(lambda: field_value() == 0x0358, 5, what="the typed shortcut")
        holder = subprocess.Popen(["wine", HELPER, "hotkey", str(2 | 4), str(0x58), "60"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(holder.kill)
        self.assertEqual(holder.stdout.readline().strip(), "ready")
        self.press(w, "OK")
        self.assertEqual(self.dialog()[4], "Quiklex")
        self.answer("only")
        self.closed()
        self.assertEqual(self.looked_up("ctrl+shift+q"), [LOOKUP + "hus/"])
        self.saved("Hotkey=Shift+Ctrl+Q")

    def looked_up(self, keys, expect=True):
        """Copies "hus" and presses keys with the panel focused (Wine hands a hot key over
        only then); the addresses opened."""
        copy_text("hus")
        helper("send", 0, 0)
        wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
        before = len(browser_log())
        xdo("key", keys)
        if expect:
            wait_for(lambda: len(browser_log()) > before, 10, what="a lookup")
        time.sleep(0.7 if expect else 1.5)
        return browser_log()[before:]
