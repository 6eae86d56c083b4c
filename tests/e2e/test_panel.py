"""The floating panel: its buttons under the mouse, moving it by hand, the on-top band, the
notification-area icon's callbacks and the two menus."""
import os
import subprocess
import time

from harness import (PANEL_COLOUR, WORK, QuiklexTest, find_panel, helper, menu_open,
                     right_click_menu, wait_for)

WHITE = "0xFFFFFF"


def xdo(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def grab(left, top, width, height, name=None):
    """The screen's pixels in a rectangle as rows of "0xRRGGBB"; kept as a PNG when named."""
    if name:
        subprocess.run(["import", "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (width, height, left, top), "+repage",
                        os.path.join(WORK, name)], check=True)
    out = subprocess.run(["import", "-window", "root", "-crop",
                          "%dx%d+%d+%d" % (width, height, left, top), "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    rows = [[None] * width for _ in range(height)]
    for line in out.splitlines()[1:]:
        where, _, rest = line.partition(":")
        x, y = map(int, where.split(","))
        colour = rest.split("#")[1][:6]
        rows[y][x] = "0x" + colour.upper()
    return rows


class PanelView:
    """What the panel shows, read from the screen."""

    def __init__(self, panel, name=None):
        # The client area lies inside a one-pixel border.
        self.pixels = grab(panel.left + 1, panel.top + 1, 80, 30, name)

    def handle_lit(self):
        """The move handle: two white lines at x 4 and 5, y 6 to 22."""
        return all(self.pixels[y][x] == WHITE for x in (4, 5) for y in range(6, 23))

    def handle_area_plain(self):
        return all(self.pixels[y][x] == PANEL_COLOUR for x in (4, 5) for y in range(6, 23))

    def logo_drawn(self):
        """Light pixels of the logo's lettering inside its box (x 12-71, y 3-26)."""
        light = sum(1 for y in range(3, 27) for x in range(12, 72)
                    if int(self.pixels[y][x][2:4], 16) > 0xC0)
        return light > 40


def xid():
    return helper("xid")[1]


def wm_above():
    """Whether the X server keeps the panel above the other windows."""
    state = subprocess.run(["xprop", "-id", xid(), "_NET_WM_STATE"], capture_output=True,
                           text=True).stdout
    return "_NET_WM_STATE_ABOVE" in state


def topmost_style():
    return helper("topmost")[1] == "1"


open_menu = menu_open


def check_mark_shown(menu):
    """A check mark is drawn in the menu's left margin (the menus have one checkable item)."""
    left, top, right, bottom = menu
    pixels = grab(left + 3, top + 3, 14, bottom - top - 6)
    return any(int(p[2:4], 16) < 0x60 for row in pixels for p in row)


class PanelTest(QuiklexTest):
    def started_panel(self):
        # The mouse out of the way first: leaving the panel without crossing its edge band
        # would keep the buttons for 10 s.
        xdo("mousemove", 10, 700)
        q = self.start()
        p = q.wait_visible()
        return q, p

    def client_to_screen(self, p, x, y):
        return p.left + 1 + x, p.top + 1 + y

    def show_buttons(self, p, x):
        """Moves the mouse over the inner area at client x until the buttons are there."""
        def moved_and_lit():
            xdo("mousemove", *self.client_to_screen(p, x, 15))
            xdo("mousemove", *self.client_to_screen(p, x + 1, 15))
            return (v := PanelView(p)).handle_lit() and v
        return wait_for(moved_and_lit, 10, interval=0.3, what="the buttons")

    def right_click_menu(self, p):
        return right_click_menu(*self.client_to_screen(p, 44, 15))

    def click_entry(self, menu, index, entry_height):
        """Clicks one of the entries above the menu's first separator (1 = first). Without a
        visible window of the program Wine gives the menu no keyboard, so the mouse it is."""
        left, top, right, _ = menu
        xdo("mousemove", (left + right) // 2, top + 3 + entry_height * (2 * index - 1) // 2)
        xdo("click", 1)
        wait_for(lambda: open_menu() is None, 5, what="the menu to close")

    def choose(self, index):
        """The index-th entry (1 = first) of the open menu, separators not counted."""
        for _ in range(index):
            xdo("key", "Down")
        xdo("key", "Return")
        wait_for(lambda: open_menu() is None, 5, what="the menu to close")


class Buttons(PanelTest):
    def test_buttons_come_over_the_inner_area_and_go_at_the_edge(self):
        _, p = self.started_panel()
        wait_for(lambda: PanelView(p).logo_drawn(), 5, what="the logo")
        rest = PanelView(p, "panel-at-rest.png")
        self.assertTrue(rest.handle_area_plain())

        # x = 1 is still the edge band: nothing changes.
        xdo("mousemove", *self.client_to_screen(p, 1, 15))
        time.sleep(0.3)
        self.assertTrue(PanelView(p).handle_area_plain())

        shown = self.show_buttons(p, 44)
        self.assertNotEqual(shown.pixels, rest.pixels)
        PanelView(p, "panel-with-buttons.png")

        # Into the band at the bottom edge (client height 30: y 26 and more).
        xdo("mousemove", *self.client_to_screen(p, 45, 26))
        wait_for(lambda: (v := PanelView(p)).logo_drawn() and v.handle_area_plain(), 5,
                 what="the logo back")

    def test_open_button_opens_the_dictionary_page(self):
        _, p = self.started_panel()
        before = len(self.browser_lines())
        self.show_buttons(p, 60)
        xdo("click", 1)
        wait_for(lambda: len(self.browser_lines()) > before, 10, what="a page opened")
        self.assertTrue(self.browser_lines()[-1].startswith("http"))
        # The panel stays where it was: a press on a button never moves it.
        self.assertEqual((find_panel().left, find_panel().top), (p.left, p.top))

    def test_menu_button_opens_the_panel_menu_below_it(self):
        _, p = self.started_panel()
        self.show_buttons(p, 26)
        xdo("click", 1)
        menu = wait_for(open_menu, 5, what="the panel menu")
        # Its corner lies as far from the menu image as the image lies from the panel's corner,
        # unless the menu would then reach past the screen's right edge: the system then moves
        # it left by exactly the overhang (how wide it is depends on the machine's fonts).
        x, y = self.client_to_screen(p, 30, 10)
        width = menu[2] - menu[0]
        edges = {int(v) for v in helper("workarea")[1].replace("screen", "").split()[3:6:2]}
        self.assertIn(menu[:2], [(min(x, edge - width), y) for edge in edges])
        xdo("key", "Escape")

    def browser_lines(self):
        from harness import browser_log
        return browser_log()


class Moving(PanelTest):
    def test_drag_from_the_logo_moves_the_panel_but_not_past_the_left_edge(self):
        _, p = self.started_panel()
        # The buttons under the mouse show that the panel takes the mouse; x = 44 lies
        # between the two buttons, so the press starts a move either way.
        self.show_buttons(p, 44)
        x0, y0 = self.client_to_screen(p, 44, 12)
        xdo("mousemove", x0, y0)
        xdo("mousedown", 1)
        try:
            # Down and to the left in steps of 100 pixels; the work area starts at x = 0.
            last_left = p.left
            for step in range(1, 12):
                x, y = max(x0 - 100 * step, 0), y0 + 10 * step
                xdo("mousemove", x, y)
                want_left = x - (x0 - p.left)
                want_top = y - (y0 - p.top)
                if want_left >= 0:
                    last_left = want_left
                wait_for(lambda: (q := find_panel()).left == last_left and q.top == want_top, 5,
                         what="the panel at step %d" % step)
        finally:
            xdo("mouseup", 1)
        moved = find_panel()
        self.assertGreaterEqual(moved.left, 0)
        self.assertLess(moved.left, 100)
        self.assertEqual(moved.top, p.top + 110)
        # After the release the mouse only shows the buttons again; the panel stays.
        xdo("mousemove", *self.client_to_screen(moved, 40, 15))
        wait_for(lambda: PanelView(moved).handle_lit(), 5, what="the buttons")
        self.assertEqual((find_panel().left, find_panel().top), (moved.left, moved.top))


class OnTopAndMenus(PanelTest):
    def test_on_top_toggles_from_both_menus_with_check_marks_following(self):
        _, p = self.started_panel()
        self.assertTrue(wm_above())
        self.assertTrue(topmost_style())

        menu = self.right_click_menu(p)
        self.assertTrue(check_mark_shown(menu))
        grab(menu[0], menu[1], menu[2] - menu[0], menu[3] - menu[1], "panel-menu.png")
        self.choose(2)  # "Vis altid øverst"
        wait_for(lambda: not wm_above(), 5, what="the panel out of the topmost band")
        self.assertFalse(topmost_style())

        # The tray menu's item follows, and its own toggle puts the panel back on top.
        helper("post", 0, 517)
        menu = wait_for(open_menu, 5, what="the tray menu")
        grab(menu[0], menu[1], menu[2] - menu[0], menu[3] - menu[1], "tray-menu.png")
        self.assertFalse(check_mark_shown(menu))
        self.choose(3)  # "Vis altid øverst" below "Vis panel" and "Skjul panel"
        wait_for(wm_above, 5, what="the panel in the topmost band")
        self.assertTrue(topmost_style())

        menu = self.right_click_menu(p)
        self.assertTrue(check_mark_shown(menu))
        xdo("key", "Escape")

    def test_tray_menu_is_one_entry_longer_than_the_panel_menu(self):
        _, p = self.started_panel()
        panel_menu = self.right_click_menu(p)
        xdo("key", "Escape")
        wait_for(lambda: open_menu() is None, 5, what="the menu to close")
        helper("post", 0, 517)
        tray_menu = wait_for(open_menu, 5, what="the tray menu")
        xdo("key", "Escape")
        panel_height = panel_menu[3] - panel_menu[1]
        tray_height = tray_menu[3] - tray_menu[1]
        self.assertGreater(tray_height, panel_height)
        # "Vis panel" is the only extra line: five entries and two separators against six and two.
        entry = tray_height - panel_height
        self.assertGreater(entry, 10)

    def test_hide_and_show_again_through_the_tray_icon(self):
        q, p = self.started_panel()
        self.right_click_menu(p)
        self.choose(1)  # "Skjul panel"
        wait_for(lambda: not find_panel().visible, 5, what="the panel to hide")
        self.assertTrue(q.running())

        # Moves and presses over the icon do nothing; the left button's release shows it.
        for message in (512, 513, 515, 516, 518):
            helper("post", 0, message)
        time.sleep(0.5)
        self.assertFalse(find_panel().visible)
        helper("post", 0, 514)
        wait_for(lambda: find_panel().visible, 5, what="the panel back")

        # The tray menu's own "Skjul panel" and "Vis panel"; the tray menu is one entry longer.
        panel_menu = self.right_click_menu(p)
        xdo("key", "Escape")
        wait_for(lambda: open_menu() is None, 5, what="the menu to close")
        helper("post", 0, 517)
        menu = wait_for(open_menu, 5, what="the tray menu")
        entry = (menu[3] - menu[1]) - (panel_menu[3] - panel_menu[1])
        self.click_entry(menu, 2, entry)
        wait_for(lambda: not find_panel().visible, 5, what="the panel to hide")
        helper("post", 0, 517)
        menu = wait_for(open_menu, 5, what="the tray menu")
        self.click_entry(menu, 1, entry)
        wait_for(lambda: find_panel().visible, 5, what="the panel back")

    def test_tray_icon_comes_back_when_the_taskbar_restarts(self):
        self.started_panel()
        wait_for(lambda: helper("trayicon")[1] == "1", 10, what="the tray icon")
        tips = helper("traytips")[1].splitlines()
        # A restarting taskbar forgets every icon, then announces itself anew.
        self.assertEqual(helper("traydelete")[1], "1")
        self.assertEqual(helper("trayicon")[1], "0")
        helper("taskbarcreated")
        wait_for(lambda: helper("trayicon")[1] == "1", 2, interval=0.1, what="the icon back")
        wait_for(lambda: helper("traytips")[1].splitlines() == tips, 5, what="the same tip")
        # Announced while the icon is still there: it stays, once.
        helper("taskbarcreated")
        time.sleep(1)
        self.assertEqual(helper("trayicon")[1], "1")
        self.assertEqual(helper("traytips")[1].splitlines(), tips)

    def test_information_entry_opens_the_program_page(self):
        _, p = self.started_panel()
        from harness import browser_log
        before = len(browser_log())
        self.right_click_menu(p)
        self.choose(4)  # "Information på web"
        wait_for(lambda: len(browser_log()) > before, 10, what="the program page")
        self.assertTrue(browser_log()[-1].startswith("http"))

    def test_terminate_from_the_panel_menu_ends_with_exit_code_0(self):
        q, p = self.started_panel()
        self.right_click_menu(p)
        self.choose(5)  # "Afslut"
        self.assertEqual(q.exit_code(), 0)
        self.assertIsNone(find_panel())

    def test_terminate_from_the_tray_menu_ends_with_exit_code_0(self):
        q, p = self.started_panel()
        panel_menu = self.right_click_menu(p)
        xdo("key", "Escape")
        wait_for(lambda: open_menu() is None, 5, what="the menu to close")
        # A click on the tray icon takes the keyboard to Wine's tray window, so the tray menu
        # is used with the mouse, as a user would: "Afslut" is its last entry.
        helper("post", 0, 517)
        menu = wait_for(open_menu, 5, what="the tray menu")
        entry = (menu[3] - menu[1]) - (panel_menu[3] - panel_menu[1])
        left, _, right, bottom = menu
        xdo("mousemove", (left + right) // 2, bottom - 3 - entry // 2)
        xdo("click", 1)
        self.assertEqual(q.exit_code(), 0)
