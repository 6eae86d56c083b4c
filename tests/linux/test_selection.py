"""The shortcut on X11 looks up what is selected in another program (the primary selection),
without copying it, and the clipboard when nothing is selected or the setting is off."""
import os
import subprocess
import time

from linux_harness import LinuxTest, geometry, run, set_clipboard, wait_for, windows
from test_program import KNOWN, LOOKUP


def set_primary(text):
    """xclip serves the primary selection in the background until another owner takes it."""
    subprocess.run(["xclip", "-selection", "primary"], input=text.encode("utf-8"), check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)


def primary_owner_gone():
    return run("xclip", "-o", "-selection", "primary").returncode != 0


class Selection(LinuxTest):
    def xterm_with_selected(self, word):
        """An xterm showing the word, selected with a double click as a user would."""
        env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        term = subprocess.Popen(["xterm", "-u8", "-T", "qlx-selection", "-geometry", "30x4+200+300",
                                 "-e", "sh", "-c", 'printf "%%s\\n" "%s"; exec sleep 120' % word],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (term.kill(), term.wait(5)))
        window = wait_for(lambda: windows("^qlx-selection$"), 10, what="the xterm")[0]
        x, y, _, _ = geometry(window)
        time.sleep(0.5)  # the text drawn
        run("xdotool", "mousemove", str(x + 12), str(y + 8), "click", "--repeat", "2", "1")
        wait_for(lambda: run("xclip", "-o", "-selection", "primary").stdout == word, 5,
                 what="the word selected in the xterm")
        return term

    def test_the_shortcut_looks_up_the_selection_else_the_clipboard(self):
        # (the setting, how the selection is made, the clipboard, the word looked up)
        cases = [
            ("", ("xterm", "lyserød"), "hus", "lyser%C3%B8d"),
            ("", ("gone", None), "hus", "hus"),      # the selecting program has ended
            ("", ("xclip", "valgt"), "hus", "valgt"),
            ("", ("xclip", " \n"), "bord", "bord"),  # only spaces: nothing to look up
            ("LookupSelection=0\n", ("xclip", "valgt"), "kopi", "kopi"),
            ("LookupSelection=0\n", ("xterm", "markeret"), "stol", "stol"),
        ]
        program, setting, term = None, None, None
        for line, (how, selected), clipboard, looked_up in cases:
            with self.subTest(setting=line.strip(), selection=how, text=selected):
                if line != setting:
                    if program:
                        program.stop()
                        wait_for(lambda: not windows(), 5, what="the panel gone")
                    self.settings(KNOWN + line)
                    if os.path.exists(os.path.join(self.home, "opened.log")):
                        os.remove(os.path.join(self.home, "opened.log"))
                    program, setting = self.quiklex().start(), line
                    program.panel()
                    expected = []
                set_clipboard(clipboard)
                if how == "xterm":
                    term = self.xterm_with_selected(selected)
                elif how == "gone":
                    term.kill()
                    term.wait(5)
                    wait_for(primary_owner_gone, 5, what="no owner of the selection")
                else:
                    set_primary(selected)
                time.sleep(0.3)  # a new press, not a held key's repeat
                run("xdotool", "key", "ctrl+shift+c")
                expected.append(LOOKUP + looked_up + "/")
                self.assertEqual(program.wait_opened(len(expected)), expected)
                self.assertEqual(run("xclip", "-o", "-selection", "clipboard").stdout, clipboard,
                                 "the clipboard is left as it was")
