"""The Linux program on Wayland, under a headless weston of the test class's own: it starts, shows
its panel and its tray icon, looks up over D-Bus, binds its shortcut through the desktop's portal
where there is one, and otherwise tells the user once what the desktop forbids."""
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

from linux_harness import PROGRAM, LinuxTest, run, wait_for
from test_access import AccessibilityBus, client
from test_program import KNOWN, LOOKUP, tray_menu

HELPERS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "helper")
PANEL_COLOUR = bytes((62, 116, 92))
# The place an X11 session stored; Wayland places the panel itself and must not overwrite it.
PLACED = "[MainForm]\nFromTop=\nFromBottom=40\nFromLeft=\nFromRight=10\n"


class Wayland(LinuxTest):
    @classmethod
    def setUpClass(cls):
        cls.runtime = tempfile.mkdtemp(prefix="qlx-weston-")
        os.chmod(cls.runtime, 0o700)
        cls.socket = os.path.join(cls.runtime, "wayland-qlx")
        # --debug lets the tests read the scene graph and take screenshots.
        cls.weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
             "--socket=wayland-qlx", "--width=1024", "--height=768", "--idle-time=0"],
            env=dict(os.environ, XDG_RUNTIME_DIR=cls.runtime), cwd=cls.runtime,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(cls.socket), 15, what="weston's socket")
        time.sleep(1.0)  # its shell client
        # The headless compositor has no pointer: the open button is pressed as a screen
        # reader presses it.
        cls.bus = AccessibilityBus()

    @classmethod
    def tearDownClass(cls):
        cls.bus.stop()
        cls.weston.kill()
        cls.weston.wait(10)
        shutil.rmtree(cls.runtime, ignore_errors=True)

    def compositor(self, *command, **kw):
        return subprocess.run(list(command), env=dict(os.environ, XDG_RUNTIME_DIR=self.runtime,
                                                      WAYLAND_DISPLAY=self.socket),
                              capture_output=True, timeout=20, **kw)

    def toplevels(self):
        """The program's windows as the compositor shows them: [(x, y, width, height)]."""
        graph = self.compositor("weston-debug", "scene-graph").stdout.decode()
        return [(int(x1), int(y1), int(x2) - int(x1), int(y2) - int(y1)) for x1, y1, x2, y2 in
                re.findall(r"top-level window 'Quiklex' of dk\.lemmary\.Quiklex, \S+\):\s*\n"
                           r"\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)", graph)]

    def panel(self):
        return wait_for(lambda: [w for w in self.toplevels() if w[2:] == (82, 32)], 15,
                        what="the panel on the compositor")[0]

    def screen_pixels(self, x, y, w, h):
        folder = tempfile.mkdtemp(dir=self.home)
        self.compositor("weston-screenshooter", cwd=folder)
        shot = os.path.join(folder, os.listdir(folder)[0])
        return subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "rgb:-"],
                              capture_output=True, timeout=20).stdout

    def start(self, settings, portal=False):
        self.settings(settings)
        watcher = self.helper("sniwatcher.py")
        binder = self.helper("portal.py") if portal else None
        q = self.quiklex(env={"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": self.socket})
        q.env.pop("DISPLAY", None)
        q.errors = os.path.join(self.home, "stderr.log")
        with open(q.errors, "w") as errors:
            q.process = subprocess.Popen([PROGRAM, *q.args], env=q.env,
                                         stdout=subprocess.DEVNULL, stderr=errors)
        return q, watcher, binder

    def helper(self, name):
        process = subprocess.Popen(["/usr/bin/python3", os.path.join(HELPERS, name)],
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(lambda: (process.kill(), process.wait(5)))
        self.assertEqual(process.stdout.readline().strip(), "ready")
        return process

    def test_panel_tray_lookup_and_the_one_notice_without_a_portal(self):
        q, watcher, _ = self.start(PLACED + KNOWN)
        x, y, w, h = self.panel()
        shown = self.screen_pixels(x + 1, y + 1, w - 2, h - 2)
        self.assertGreater(shown.count(PANEL_COLOUR) * 3, len(shown) // 2,
                           "the panel's green on the screen")
        item = watcher.stdout.readline().split()
        self.assertEqual(len(item), 2, "the tray icon registered")
        self.assertIn("Vis panel", tray_menu(q, item)[0])

        # No shortcut of its own here: the one notice, a dialog beside the panel.
        notice = wait_for(lambda: [v for v in self.toplevels() if v[2:] != (82, 32)], 10,
                          what="the notice")[0]
        self.assertGreater(notice[2], 300)
        with open(q.settings_file, encoding="utf-8") as f:
            saved = f.read()
        self.assertIn("WaylandNoticeShown=1\n", saved)
        self.assertIn("LookupSelection=1\n", saved)
        self.assertIn(PLACED, saved, "the X11 session's place is kept")
        q.stop()

        # Remembered: the next start has the panel and no notice, and (no dialog open) looks
        # up what other programs send.
        q2, _, _ = self.start(saved)
        self.panel()
        self.assertEqual(q2.call("LookUp", "hund og kat").returncode, 0)
        self.assertEqual(q2.wait_opened(1), [LOOKUP + "hund%20og%20kat/"])
        wait_for(lambda: client("do", "\u00c5bn ordbogen", "push button", "Press"), 10,
                 what="the open button pressed")
        self.assertEqual(q2.wait_opened(2), [LOOKUP + "hund%20og%20kat/", LOOKUP])
        self.assertEqual([v for v in self.toplevels() if v[2:] != (82, 32)], [])
        for program in (q, q2):
            with open(program.errors) as f:
                self.assertEqual(f.read(), "", "nothing logged")

    def test_the_portal_binds_the_shortcut_and_its_press_brings_the_panel(self):
        q, watcher, portal = self.start(KNOWN, portal=True)
        self.panel()
        self.assertEqual(portal.stdout.readline().split(), ["bound", "lookup", "CTRL+SHIFT+c"])
        item = watcher.stdout.readline().split()
        _, click = tray_menu(q, item)
        click("Skjul panel")
        wait_for(lambda: not self.toplevels(), 5, what="the panel hidden")
        portal.stdin.write("activate\n")
        portal.stdin.flush()
        self.panel()
        time.sleep(2)
        self.assertEqual([v for v in self.toplevels() if v[2:] != (82, 32)], [], "no notice")
        with open(q.settings_file, encoding="utf-8") as f:
            self.assertNotIn("WaylandNoticeShown", f.read())


if __name__ == "__main__":
    unittest.main()
