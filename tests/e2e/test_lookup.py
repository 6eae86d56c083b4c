"""Looking words up end to end: the shortcut with the clipboard, DDE pokes, a second start
with "-clipboard", and the rules while the program's dialog is open. The browser stand-in's
log is the witness of every lookup."""
import os
import shutil
import subprocess
import time

from addresses import CLIPBOARD_ADDRESSES
from harness import (EXE, HELPER, WORK, QuiklexTest, browser_log, copy_text, find_panel,
                     foreground_class, helper, protect, start_second, wait_for)

LOOKUP = "http://www.lemmary.dk/#ordbog/"
DIALOG_CLASS = "TMessageForm"
CTRL_SHIFT = 2 | 4
KEY_C = 0x43


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], capture_output=True, timeout=10)


class Lookup(QuiklexTest):
    """A copy of the program named "Ordbog.exe" (so its DDE service is "Ordbog"), whose
    settings say that this version has run before."""

    def setUp(self):
        super().setUp()
        self.folder = os.path.join(WORK, "lookup-program")
        if os.path.isdir(self.folder):
            os.chmod(self.folder, 0o755)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.exe = os.path.join(self.folder, "Ordbog.exe")
        shutil.copy(EXE, self.exe)
        user_ini = os.path.join(WORK, "lookup-user.ini")
        with open(user_ini, "w", newline="") as f:
            f.write("[Settings]\r\nPrgVersion=0.6.0\r\n")
        with open(os.path.join(self.folder, "quiklex.ini"), "w", newline="") as f:
            f.write("[Shared Settings]\r\nUsersIniFilePath=Z:%s\r\n" % user_ini.replace("/", "\\"))
        # An administrator's folder, where the shared file counts.
        protect(self, self.folder)

    def start_program(self):
        q = self.start(exe=self.exe)
        q.wait_visible()
        return q

    def looked_up(self, action, timeout=10):
        """Runs action; returns the addresses it opened (waits for the first, then a while
        longer to catch any further ones)."""
        before = len(browser_log())
        action()
        wait_for(lambda: len(browser_log()) > before, timeout, what="a lookup")
        time.sleep(0.7)
        return browser_log()[before:]

    def nothing_looked_up(self, action, settle=1.5):
        before = len(browser_log())
        action()
        time.sleep(settle)
        self.assertEqual(browser_log()[before:], [])

    @staticmethod
    def poke(text, repeat=1, *options):
        """Pokes to this copy's service unless options name another one."""
        if not any(o != "unicode" for o in options):
            options += ("Ordbog",)
        return helper("poke", text, repeat, *options)

    def press_shortcut(self):
        # Wine hands a hot key over only while one of its windows has the keyboard focus.
        helper("send", 0, 0)
        wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
        xdotool("key", "ctrl+shift+c")

    def test_shortcut_looks_up_the_clipboard(self):
        self.start_program()
        # The helper takes line breaks as backslash-r and backslash-n.
        shared = [(text.replace("\r", "\\r").replace("\n", "\\n"), 1, expected)
                  for text, expected in CLIPBOARD_ADDRESSES]
        for text, repeat, expected in shared + [("x", 1 << 20, "x" * 50 + "/")]:
            self.assertEqual(helper("clipboard", text, repeat)[0], 0)
            self.assertEqual(self.looked_up(self.press_shortcut), [LOOKUP + expected], text)

    def test_pokes_use_the_first_line(self):
        q = self.start_program()
        for args, expected in (
                (("foo\\r\\nbar",), "foo/"),
                (("  r\u00f8dgr\u00f8d\\nx", 1, "unicode"), "r%C3%B8dgr%C3%B8d/"),
                (("r\u00f8d\\r\\n", 1, "OrDbOg"), "r%C3%B8d/"),
                (("y", 1 << 20), "y" * 50 + "/"),
                (("z", 1 << 19, "unicode"), "z" * 50 + "/")):
            result = []
            self.assertEqual(self.looked_up(lambda: result.append(self.poke(*args))),
                             [LOOKUP + expected], args)
            self.assertEqual(result[0], (0, "ack"))
        # The service is the program file's name, not the product's.
        self.assertEqual(self.poke("hus", 1, "quiklex"), (1, "failed"))
        self.assertTrue(q.running())

    def drop(self, text, panel, *formats):
        """Drags text from another program's window onto the panel with the mouse; formats
        "unicode" offers it as Unicode text too."""
        source = subprocess.Popen(["wine", HELPER, "drag", text, *formats],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(source.kill)
        self.assertEqual(source.stdout.readline().strip(), "ready")
        wait_for(lambda: foreground_class() == "QlxDragSource", 10, what="the drag source")
        xdotool("mousemove", 400, 350, "mousedown", 1)
        time.sleep(0.3)
        target = (panel.left + panel.width // 2, panel.top + panel.height // 2)
        for step in range(1, 9):
            xdotool("mousemove", 400 + (target[0] - 400) * step // 8,
                    350 + (target[1] - 350) * step // 8)
            time.sleep(0.1)
        time.sleep(0.3)
        xdotool("mouseup", 1)
        try:
            out, _ = source.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            source.kill()
            self.fail("the drag did not end")
        return out.split()

    def test_drop_looks_up_the_whole_text(self):
        q = self.start_program()
        results = []
        # Unlike a poke, a drop keeps every line; the line breaks just go.
        self.assertEqual(self.looked_up(lambda: results.append(self.drop("  bil\\r\\nhus ",
                                                                         find_panel()))),
                         [LOOKUP + "bilhus/"])
        self.assertEqual(results, [["0x00040100", "1"]])  # dropped, copied
        self.assertTrue(q.running())

    def test_a_word_gives_the_same_address_copied_or_dragged(self):
        self.start_program()
        for word, formats in (("Stra\u00dfe", ()), ("Stra\u00dfe", ("unicode",)),
                              ("a\u5b57b", ("unicode",))):
            helper("clipboard", word)
            copied = self.looked_up(self.press_shortcut)
            dragged = self.looked_up(lambda: self.drop(word, find_panel(), *formats))
            self.assertEqual(dragged, copied, (word, formats))
        self.assertEqual(copied, [LOOKUP + "a?b*/"])  # the letter Windows-1252 lacks

    def test_second_start_looks_up_the_clipboard(self):
        q = self.start_program()
        helper("clipboard", " sol\\r\\n")
        codes = []
        self.assertEqual(self.looked_up(lambda: codes.append(start_second("-clipboard"))),
                         [LOOKUP + "sol/"])
        self.assertEqual(codes, [1])
        self.assertTrue(q.running())

    def test_held_shortcut_opens_one_page_per_press(self):
        self.start_program()
        copy_text("hus")

        def hold():
            helper("send", 0, 0)
            wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
            xdotool("keydown", "ctrl+shift+c")
            time.sleep(2)
            xdotool("keyup", "ctrl+shift+c")

        self.assertEqual(self.looked_up(hold), [LOOKUP + "hus/"])
        # A press after the release is a press of its own.
        self.assertEqual(self.looked_up(self.press_shortcut), [LOOKUP + "hus/"])

    def test_shortcut_held_elsewhere_and_the_open_dialog(self):
        holder = subprocess.Popen(["wine", HELPER, "hotkey", str(CTRL_SHIFT), str(KEY_C), "60"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(holder.kill)
        self.assertEqual(holder.stdout.readline().strip(), "ready")
        q = self.start(exe=self.exe)
        # The program runs on without a shortcut and, after 30 seconds of quiet retries, says
        # so.
        wait_for(lambda: foreground_class() == DIALOG_CLASS, 50, what="the shortcut message")
        subprocess.run(["import", "-window", "root", os.path.join(WORK, "lookup-hotkey.png")],
                       capture_output=True, timeout=30)
        self.assertTrue(find_panel().visible)

        # While the dialog is open a poke and a second start only bring the program forward.
        helper("clipboard", "hus")
        self.nothing_looked_up(lambda: self.assertEqual(self.poke("sol"), (0, "ack")))
        self.nothing_looked_up(lambda: self.assertEqual(start_second("-clipboard"), 1))
        self.nothing_looked_up(lambda: xdotool("key", "ctrl+shift+c"))
        self.assertEqual(foreground_class(), DIALOG_CLASS)

        # Once it is closed, pokes are looked up again; the shortcut stays with the other
        # program until the next quiet retry, a minute later.
        xdotool("key", "Return")
        wait_for(lambda: foreground_class() != DIALOG_CLASS, 5, what="the dialog to close")
        self.assertEqual(self.looked_up(lambda: self.poke("sol")), [LOOKUP + "sol/"])
        holder.kill()
        holder.wait()
        self.nothing_looked_up(self.press_shortcut)
        self.assertTrue(q.running())
