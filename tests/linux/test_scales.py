"""The Linux program at the display scales a user sets (QT_SCALE_FACTOR 1.25, 1.5 and 2, and
Xft.dpi 144): the panel and each window are their device-independent sizes scaled, the panel's
images are the stored ones of the device scale, pixel for pixel, and every text fits. Screenshots
at 150 % and 200 % are kept in QLX_SHOTS (default: a temporary folder) to be looked at."""
import os
import subprocess
import sys
import tempfile
import time

from linux_harness import (PROGRAM, ROOT, LinuxTest, geometry, program_windows, run, screen_size,
                           wait_for, windows)
from test_definitions import DictionaryServer, ok_answer
from test_program import KNOWN, hover

TEXTFIT = os.path.join(os.path.dirname(PROGRAM), "qlxtextfit")
SHOTS = os.environ.get("QLX_SHOTS") or tempfile.mkdtemp(prefix="qlx-shots-")
IMAGE_STEPS = (100, 125, 150, 175, 200, 250, 300)

# (name, environment, X resources, the device scale it gives)
SCALES = (
    ("100", {}, None, 1.0),
    ("125", {"QT_SCALE_FACTOR": "1.25"}, None, 1.25),
    ("150", {"QT_SCALE_FACTOR": "1.5"}, None, 1.5),
    ("200", {"QT_SCALE_FACTOR": "2"}, None, 2.0),
    ("xft144", {}, "Xft.dpi: 144\n", 1.5),
)
PANEL = {1.0: (82, 32), 1.25: (103, 40), 1.5: (123, 48), 2.0: (164, 64)}


def scaled(value, factor):
    """A 96-DPI length at a scale, rounded half up."""
    return int(value * factor + 0.5)


def near(size, design, factor):
    """Whether a device size is a design size scaled (a half pixel may go either way)."""
    return all(abs(got - want * factor) <= 0.5 for got, want in zip(size, design))


def alpha_image(name, percent):
    """A stored panel image: (width, height, alpha bytes)."""
    with open(os.path.join(ROOT, "src", "res", "panel", "%s-%d.a8" % (name, percent)), "rb") as f:
        data = f.read()
    width, height = data[0] | data[1] << 8, data[2] | data[3] << 8
    alpha, at = bytearray(), 4
    while at < len(data):
        code = data[at]
        at += 1
        if code < 128:
            alpha += data[at:at + code + 1]
            at += code + 1
        else:
            alpha += bytes([data[at]]) * (code - 125)
            at += 1
    return width, height, bytes(alpha)


def painted_unscaled(shot, shot_width, image, background, colour=(255, 255, 255)):
    """Whether the image lies somewhere in the screenshot exactly as its alpha over the
    background gives it (within rounding): painted 1:1, neither stretched nor blurred."""
    width, height, alpha = image
    rows = len(shot) // (3 * shot_width)
    expected = [tuple((c * a + b * (255 - a) + 127) // 255 for c, b in zip(colour, background))
                for a in alpha]
    for top in range(rows - height + 1):
        for left in range(shot_width - width + 1):
            if all(abs(shot[3 * ((top + y) * shot_width + left + x) + k] -
                       expected[y * width + x][k]) <= 2
                   for y in range(height) for x in range(width) for k in range(3)):
                return True
    return False


def rgb(x, y, width, height):
    """The screen's pixels in a rectangle, three bytes a pixel."""
    return subprocess.run(["import", "-window", "root", "-crop",
                           "%dx%d+%d+%d" % (width, height, x, y), "-depth", "8", "rgb:-"],
                          capture_output=True, timeout=20).stdout


def grab(name):
    os.makedirs(SHOTS, exist_ok=True)
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name)], capture_output=True,
                   timeout=30)


class Scales(LinuxTest):
    @classmethod
    def setUpClass(cls):
        cls.resources = run("xrdb", "-query").stdout

    def restore_resources(self):
        if self.resources:
            run("xrdb", "-load", input=self.resources)
        else:
            run("xrdb", "-remove")

    def test_panel_and_windows_take_their_sizes_scaled_and_their_texts_fit(self):
        sizes = {}
        for name, env, resources, factor in SCALES:
            with self.subTest(scale=name):
                try:
                    if resources:
                        run("xrdb", "-merge", input=resources)
                    sizes[name] = self.at_scale(name, env, factor)
                finally:
                    for q in self.programs:
                        q.stop()
                    if resources:
                        self.restore_resources()
        for name, (panel, messages, settings, dialog) in sizes.items():
            sys.stderr.write("\n%-7s panel %dx%d, messages %dx%d, settings %dx%d, dialog %dx%d"
                             % (name, *panel, *messages, *settings, *dialog))
        # The message dialog, laid out from its measured text, is its 100 % size scaled.
        factors = {name: factor for name, _, _, factor in SCALES}
        for name, size in sizes.items():
            if "100" in sizes:
                self.assertTrue(near(size[3], sizes["100"][3], factors[name]), (name, size[3]))
        # Xft.dpi 144 is the same scale as a factor of 1.5, window for window.
        if "150" in sizes and "xft144" in sizes:
            self.assertEqual(sizes["xft144"], sizes["150"])

    def at_scale(self, name, env, factor):
        """One start of the program at a scale; the sizes of its panel and its windows."""
        s = lambda v: scaled(v, factor)  # noqa: E731
        keep = name in ("150", "200")
        fit = run(TEXTFIT, env=dict(os.environ, **env))
        self.assertIn("device pixel ratio %.2f" % factor, fit.stdout)

        body = (b'<definitions><message timestamp="2026-01-15"><p>Nyt fra Lemmary: nye ord i '
                b'ordbogen.</p></message></definitions>')
        # The server answers only once the panel has been looked at: the messages window and
        # the buttons it keeps shown would cover the logo.
        server = DictionaryServer(lambda i: (ok_answer(body), False), listen=False)
        self.addCleanup(server.stop)
        self.settings(KNOWN)
        q = self.quiklex(env=dict(server.env, **env)).start()
        panel = q.panel()
        x, y, w, h = geometry(panel)
        self.assertEqual((w, h), PANEL[factor])
        # The logo of the device scale's step, painted 1:1.
        step = next(p for p in IMAGE_STEPS if p >= factor * 100)
        time.sleep(0.5)
        shot = rgb(x, y, w, h)
        background = tuple(shot[3 * (2 * w + 2):3 * (2 * w + 2) + 3])
        self.assertTrue(painted_unscaled(shot, w, alpha_image("logo", step), background),
                        "the %d %% logo unscaled on the panel" % step)
        server.listen()

        # The messages window, at the first start of a message.
        messages = wait_for(lambda: windows("meddelelse"), 20, what="the messages window")[0]
        time.sleep(0.5)
        messages_size = geometry(messages)[2:]
        self.assertTrue(near(messages_size, (539, 366), factor), messages_size)
        if keep:
            grab("scale-messages-%s.png" % name)
        run("xdotool", "windowactivate", "--sync", str(messages), "key", "Escape")
        wait_for(lambda: not windows("meddelelse"), 10, what="the messages window closed")

        # The settings window, from the panel's menu.
        x, y, _, _ = geometry(panel)
        hover(x + s(27), y + s(15))
        run("xdotool", "click", "1")
        time.sleep(0.5)
        run("xdotool", "key", "Down", "Down", "Down", "Return")  # "Indstillinger"
        settings = wait_for(lambda: windows("^Om programmet$"), 10,
                            what="the settings window")[0]
        time.sleep(0.5)
        sx, sy, sw, sh = geometry(settings)
        self.assertTrue(near((sw, sh), (325, 290), factor), (sw, sh))
        if keep:
            grab("scale-settings-%s.png" % name)

        # A change left by the close box asks first: the message dialog, inside the screen.
        run("xdotool", "mousemove", str(sx + s(60)), str(sy + s(117)), "click", "1")
        time.sleep(0.3)
        run("xdotool", "windowactivate", "--sync", str(settings), "key", "alt+F4")
        dialog = wait_for(lambda: [d for d in program_windows() if d not in (panel, settings)], 10,
                          what="the message dialog")[0]
        time.sleep(0.5)
        dx, dy, dw, dh = geometry(dialog)
        width, height = screen_size()
        self.assertTrue(0 <= dx and dx + dw <= width and 0 <= dy and dy + dh <= height)
        if keep:
            grab("scale-dialog-%s.png" % name)

        self.assertEqual(fit.returncode, 0, fit.stdout)
        return (w, h), messages_size, (sw, sh), (dw, dh)
