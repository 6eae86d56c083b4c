"""The Linux program on two monitors: one wide X screen split into two RandR monitors (a
1280 x 800 primary one and a 640 x 480 one to its right), which Qt takes as two screens. The
panel's place is kept on the monitor it was on, "Standard" puts it at the top right of its own
monitor, the settings window and the message dialog open on the panel's monitor, and the panel
is dragged across from one monitor onto the other and kept on the monitor under the mouse."""
import os
import subprocess
import time

from linux_harness import LinuxTest, geometry, program_windows, run, wait_for, windows
from test_program import KNOWN, hover

LEFT = (0, 0, 1280, 800)    # x, y, width, height
RIGHT = (1280, 0, 640, 480)


def inside(box, monitor):
    x, y, w, h = box
    mx, my, mw, mh = monitor
    return mx <= x and x + w <= mx + mw and my <= y and y + h <= my + mh


class TwoMonitors(LinuxTest):
    @classmethod
    def setUpClass(cls):
        cls.saved_display = os.environ.get("DISPLAY")
        read, write = os.pipe()
        # The server picks a free display number and reports it.
        cls.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                     "1920x800x24", "-nolisten", "tcp"], pass_fds=(write,),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            os.environ["DISPLAY"] = ":" + f.readline().strip()
        # The window manager also keeps a client connected: the server would forget the
        # monitors when its last client leaves.
        cls.wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        wait_for(lambda: run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").returncode == 0 and
                 "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout, 10,
                 what="the window manager")
        run("xrandr", "--setmonitor", "*left", "1280/339x800/212+0+0", "screen")
        run("xrandr", "--setmonitor", "right", "640/169x480/127+1280+0", "none")

    @classmethod
    def tearDownClass(cls):
        for p in (cls.wm, cls.xvfb):
            p.terminate()
            p.wait(10)
        if cls.saved_display is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = cls.saved_display

    def setUp(self):
        super().setUp()
        self.assertIn("Monitors: 2", run("xrandr", "--listmonitors").stdout)

    def place(self, stored, env=None):
        self.settings(KNOWN + "[MainForm]\n" + stored)
        q = self.quiklex(env=env).start()
        return q, q.panel()

    def end(self, q):
        """Afslut, from the panel's menu; the settings it saved."""
        panel = q.panel()
        x, y, w, h = geometry(panel)
        hover(x + w // 3, y + h // 2)
        run("xdotool", "click", "1")
        time.sleep(0.5)
        run("xdotool", "key", "Up", "Return")  # the last item
        self.assertEqual(q.process.wait(10), 0)
        with open(q.settings_file, encoding="utf-8") as f:
            return f.read()

    def test_the_place_is_kept_on_the_monitor_it_was_on(self):
        # (stored, where the panel stands, what is stored again, the environment)
        cases = (
            ("FromTop=100\nFromLeft=1400\n", (1400, 100), ("FromTop=100", "FromRight=-202"), {}),
            # Beyond every monitor: onto the nearest, inside it.
            ("FromTop=600\nFromLeft=2500\n", (1838, 448), ("FromBottom=320", "FromRight=-640"), {}),
            # At 200 %: the second monitor keeps its corner, only its size is halved.
            ("FromTop=50\nFromLeft=1400\n", (1280 + 2 * 120, 100), ("FromTop=50", "FromRight=-842"),
             {"QT_SCALE_FACTOR": "2"}),
        )
        for stored, where, saved, env in cases:
            with self.subTest(stored=stored, env=env):
                q, panel = self.place(stored, env)
                self.assertEqual(geometry(panel)[:2], where)
                text = self.end(q)
                for line in saved:
                    self.assertIn(line + "\n", text)
                q = self.quiklex(env=env).start()
                self.assertEqual(geometry(q.panel())[:2], where)
                q.stop()

    def test_standard_and_the_windows_belong_to_the_panels_monitor(self):
        q, panel = self.place("FromTop=200\nFromLeft=1500\n")
        x, y, w, h = geometry(panel)
        self.assertTrue(inside((x, y, w, h), RIGHT))
        hover(x + 27, y + 15)
        run("xdotool", "click", "1")
        time.sleep(0.5)
        run("xdotool", "key", "Down", "Down", "Down", "Return")  # "Indstillinger"
        settings = wait_for(lambda: windows("^Om programmet$"), 10, what="the settings window")[0]
        time.sleep(0.5)
        self.assertTrue(inside(geometry(settings), RIGHT), geometry(settings))

        # "Standard": the top right corner of the panel's own monitor (out of the shortcut
        # field first, which takes Alt+S as a shortcut).
        run("xdotool", "windowactivate", "--sync", str(settings), "key", "Tab", "alt+s")
        wait_for(lambda: geometry(panel)[:2] == (1920 - 2 * 82, 0), 5,
                 what="the panel at the right monitor's top right")

        # The question on leaving by the close box after a change: on that monitor as well.
        run("xdotool", "windowactivate", "--sync", str(settings), "key", "alt+F4")
        dialog = wait_for(lambda: [d for d in program_windows() if d not in (panel, settings)], 10,
                          what="the message dialog")[0]
        time.sleep(0.5)
        self.assertTrue(inside(geometry(dialog), RIGHT), geometry(dialog))

        # "Nej": nothing is kept, and the panel goes back where it was.
        run("xdotool", "windowactivate", "--sync", str(dialog), "key", "Tab", "Return")
        wait_for(lambda: geometry(panel)[:2] == (x, y), 5, what="the panel back in its place")

    def test_the_panel_is_dragged_across_onto_the_other_monitor(self):
        q, panel = self.place("FromTop=300\nFromLeft=1100\n")
        x, y, _, _ = geometry(panel)
        self.assertEqual((x, y), (1100, 300))
        hover(x + 3, y + 3)
        run("xdotool", "mousedown", "1")
        # To the right and up onto the right monitor, then down below it (still nearer to it
        # than to the left one): it stops at that monitor's bottom, not at the wide screen's.
        path = [(x + 3 + 400 * i // 20, y + 3 - 150 * i // 20) for i in range(1, 21)]
        path += [(x + 403, y - 147 + 450 * i // 15) for i in range(1, 16)]
        for px, py in path:
            run("xdotool", "mousemove", str(px), str(py))
            time.sleep(0.03)
        run("xdotool", "mouseup", "1")
        time.sleep(0.5)
        box = geometry(panel)
        self.assertTrue(inside(box, RIGHT), box)
        self.assertEqual(box[0], 1500)
        self.assertGreater(box[1] + box[3], 480 - 40)  # the last step that stayed on it
