"""Opening the program's information page, and the program's own warning dialog when the
browser cannot be reached: its look, its OK button, closing it by the frame, keeping it in
front."""
import os
import subprocess
import time

from harness import (PROGRAM_VERSION, Quiklex, QuiklexTest, browser_log, end_all,
                     find_panel, foreground_class, helper, settings_folder, user_name, wait_for)

DEFAULT_INFO_PAGE = "http://www.lemmary.dk/#anvendelse/quiklex/"
DIALOG_CLASS = "TMessageForm"
WHITE = "0xFFFFFF"
BUTTON_FACE = "0xDDDDDD"


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          timeout=10).stdout.strip()


def dialog_in_front():
    return foreground_class() == DIALOG_CLASS


def client_area(window):
    out = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True,
                         timeout=10).stdout
    v = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
    return tuple(int(v[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width",
                                      "Height"))


def dialog_client_area():
    """(left, top, width, height) of the dialog's client area on the screen: of the program's
    visible windows titled "Quiklex" the one larger than the panel."""
    windows = xdotool("search", "--onlyvisible", "--name", "^Quiklex$").split()
    areas = [client_area(w) for w in windows]
    larger = [a for a in areas if a[2] * a[3] > 82 * 32]
    return max(larger, key=lambda a: a[2] * a[3]) if larger else None


def setUpModule():
    # The first start in a fresh Wine session can take longer than a test's time-outs: one
    # start and end beforehand, with time to spare.
    end_all()
    q = Quiklex()
    try:
        wait_for(lambda: helper("find", timeout=90)[1].split()[1:2] == ["1"], 90,
                 interval=0.5, what="a first start")
    finally:
        q.kill()
        end_all()


class InformationPage(QuiklexTest):
    def test_internal_command_opens_exactly_the_information_page(self):
        q = self.start()
        q.wait_visible()
        before = len(browser_log())
        self.assertEqual(helper("post", 4, 5)[0], 0)
        wait_for(lambda: len(browser_log()) > before, 10, what="the information page")
        time.sleep(1.0)  # nothing else follows
        self.assertEqual(browser_log()[before:], [DEFAULT_INFO_PAGE])
        self.assertNotEqual(foreground_class(), DIALOG_CLASS)
        self.assertTrue(q.running())


def use_settings(lines):
    """Starts of this test read these settings from the user's settings file."""
    with open(os.path.join(settings_folder(), user_name() + ".ini"), "w", newline="") as f:
        f.write("[Settings]\r\nPrgVersion=%s\r\n%s" % (PROGRAM_VERSION,
                                                        "".join(l + "\r\n" for l in lines)))


class WarningDialog(QuiklexTest):
    """In the Chrome Frame mode the information page is a "gcf:" address; no handler is
    registered for that scheme here, so opening it fails and the program says so."""

    def setUp(self):
        super().setUp()
        use_settings(["UseChromeFrame=1"])

    def open_failing_page(self):
        before = len(browser_log())
        self.assertEqual(helper("post", 4, 5)[0], 0)
        wait_for(dialog_in_front, 10, what="the warning dialog")
        self.assertEqual(browser_log()[before:], [])
        return wait_for(dialog_client_area, 5, what="the dialog's window")

    def test_dialog_look_ok_button_and_frame_close(self):
        q = self.start()
        q.wait_visible()
        left, top, width, height = self.open_failing_page()
        time.sleep(0.5)  # painted
        self.assertGreaterEqual(width, 150 - 10)

        # White body and strip, the light-grey OK button centred in the strip.
        button_left = left + (width - 62) // 2
        button_top = top + height - 28 + 4
        self.assertEqual(helper("pixel", left + width - 3, top + 3)[1], WHITE)
        self.assertEqual(helper("pixel", left + 3, top + height - 3)[1], WHITE)
        self.assertEqual(helper("pixel", button_left - 3, button_top + 11)[1], WHITE)
        self.assertEqual(helper("pixel", button_left + 2, button_top + 11)[1], BUTTON_FACE)
        self.assertEqual(helper("pixel", button_left + 59, button_top + 11)[1], BUTTON_FACE)
        # The lighter line along the bottom of the face (0xDD raised by a tenth).
        self.assertEqual(helper("pixel", button_left + 10, button_top + 20)[1], "0xF3F3F3")
        # The warning icon in the top left corner is not white.
        icon = {helper("pixel", left + x, top + y)[1] for x in range(14, 40, 4)
                for y in range(14, 40, 4)}
        self.assertNotEqual(icon, {WHITE})

        # OK ends the dialog and the program goes on.
        xdotool("mousemove", button_left + 31, button_top + 11)
        xdotool("click", "1")
        wait_for(lambda: not dialog_in_front(), 5, what="the dialog to close")
        self.assertTrue(q.running())
        self.assertTrue(find_panel().visible)

        # Again, closed through the frame this time; then a third time, which shows that the
        # program's windows came back in working order.
        self.open_failing_page()
        xdotool("key", "alt+F4")
        wait_for(lambda: not dialog_in_front(), 5, what="the dialog to close by its frame")
        self.assertTrue(q.running())
        self.open_failing_page()
        xdotool("key", "Return")
        wait_for(lambda: not dialog_in_front(), 5, what="the dialog to close by Enter")
        self.assertTrue(q.running())

    def test_esc_closes_a_notice_as_its_ok_does(self):
        # As the system's message box: a dialog with "OK" alone closes on Esc, and the program
        # goes on as after "OK".
        q = self.start()
        q.wait_visible()
        self.open_failing_page()
        xdotool("key", "Escape")
        wait_for(lambda: not dialog_in_front(), 5, what="the dialog to close by Esc")
        self.assertTrue(q.running())
        self.assertTrue(find_panel().visible)

    def test_dialog_takes_the_focus_back_from_another_program(self):
        q = self.start()
        q.wait_visible()
        self.open_failing_page()
        # The other program's window says itself when it is activated: the dialog takes the
        # foreground back within a second, sooner than a poll from outside may look.
        self.other_window(5, stays=False)
        wait_for(dialog_in_front, 4, what="the dialog back in front")
        self.assertTrue(q.running())


class NoProgramsFromSettings(QuiklexTest):
    def test_program_page_that_is_no_web_address_is_not_taken(self):
        # A settings file that names a program as the information page: the program does not
        # take it and opens its own information page; the shell never starts the program.
        use_settings(["ProgramPageModern=C:\\windows\\system32\\notepad.exe"])
        q = self.start()
        q.wait_visible()
        before = len(browser_log())
        self.assertEqual(helper("post", 4, 5)[0], 0)
        wait_for(lambda: len(browser_log()) > before, 10, what="the information page")
        self.assertEqual(browser_log()[before:], ["http://www.lemmary.dk/#anvendelse/quiklex/"])
        self.assertEqual(xdotool("search", "--onlyvisible", "--name", "otepad"), "")
        self.assertFalse(dialog_in_front())
        self.assertTrue(q.running())
