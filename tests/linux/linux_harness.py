"""End-to-end harness for the Linux program: build/native/quiklex on the test run's X display
(Xvfb with a window manager) and its private session bus; a stand-in xdg-open records the
addresses the program opens. scripts/test runs the suite under dbus-run-session."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness import wait_for  # noqa: E402  (the Windows suite's, shared)

PROGRAM = os.path.join(os.environ.get("QLX_NATIVE_BUILD", os.path.join(ROOT, "build", "native")),
                       "quiklex")
BUS = ["gdbus", "call", "--session", "--dest", "dk.lemmary.Quiklex", "--object-path",
       "/dk/lemmary/Quiklex", "--method"]


def run(*args, timeout=20, **kw):
    return subprocess.run(list(args), capture_output=True, text=True, timeout=timeout, **kw)


def set_clipboard(text):
    """xclip keeps serving the selection in the background until another owner takes it."""
    subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode("utf-8"), check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)


def windows(name="^Quiklex$"):
    out = run("xdotool", "search", "--onlyvisible", "--name", name).stdout.split()
    return [int(w) for w in out]


def geometry(window):
    """(x, y, width, height) of a window on the screen."""
    info = run("xwininfo", "-id", str(window)).stdout
    value = {}
    for line in info.splitlines():
        line = line.strip()
        for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
            if line.startswith(key + ":"):
                value[key] = int(line.split(":")[1])
    if len(value) < 4:
        return (0, 0, 0, 0)  # gone meanwhile
    return (value["Absolute upper-left X"], value["Absolute upper-left Y"], value["Width"],
            value["Height"])


def screen_size():
    dims = run("xdotool", "getdisplaygeometry").stdout.split()
    return int(dims[0]), int(dims[1])


def pixels(x, y, width, height):
    """The screen's pixels in a rectangle, as raw RGB bytes."""
    p = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                        "rgb:-"], capture_output=True, timeout=20)
    return p.stdout


class Quiklex:
    """One run of the program with a home of its own."""

    def __init__(self, home, args=(), env=None, browser=True):
        self.home = home
        self.log = os.path.join(home, "opened.log")
        bindir = os.path.join(home, "bin")
        os.makedirs(bindir, exist_ok=True)
        if browser:
            script = os.path.join(bindir, "xdg-open")
            with open(script, "w") as f:
                f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.log)
            os.chmod(script, 0o755)
        self.env = dict(os.environ)
        self.env.update({"HOME": home, "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                         "XDG_CONFIG_DIRS": os.path.join(home, "etc-xdg"),
                         "PATH": (bindir + os.pathsep + "/usr/bin:/bin" if browser else
                                  self._path_without_browser(bindir)),
                         "QUIKLEX_DEFINITIONS_SERVER": "127.0.0.1:9",
                         "XDG_RUNTIME_DIR": os.path.join(home, "run")})
        self.env.pop("BROWSER", None)
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        self.env.update(env or {})
        self.process = None
        self.args = list(args)

    # What Qt would open an address with when there is no xdg-open.
    BROWSERS = {"xdg-open", "gnome-open", "kfmclient", "kde-open", "google-chrome", "firefox",
                "mozilla", "opera", "x-www-browser", "sensible-browser"}

    def _path_without_browser(self, bindir):
        """The usual tools (gdbus and the rest) but no browser: each program found on PATH is
        linked into the home's bin folder, the browsers left out (dropping whole folders would
        drop /usr/bin and with it the tools the tests call)."""
        for d in os.environ["PATH"].split(os.pathsep):
            if not os.path.isdir(d):
                continue
            for name in os.listdir(d):
                target = os.path.join(d, name)
                link = os.path.join(bindir, name)
                if (name not in self.BROWSERS and not os.path.lexists(link)
                        and os.access(target, os.X_OK) and not os.path.isdir(target)):
                    os.symlink(target, link)
        return bindir

    @property
    def settings_file(self):
        return os.path.join(self.home, ".config", "quiklex", "quiklex.ini")

    def start(self, *extra):
        self.process = subprocess.Popen([PROGRAM, *self.args, *extra], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def second(self, *args):
        """A second start with these words; its exit code."""
        return subprocess.run([PROGRAM, *args], env=self.env, timeout=20,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def call(self, method, *args):
        return run(*BUS, "dk.lemmary.Quiklex." + method, *args, env=self.env)

    def panel(self, timeout=15):
        return wait_for(lambda: windows()[0] if windows() else None, timeout,
                        what="the panel")

    def opened(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as f:
            return f.read().splitlines()

    def wait_opened(self, count, timeout=10):
        return wait_for(lambda: self.opened() if len(self.opened()) >= count else None,
                        timeout, what="%d opened pages" % count)

    def running(self):
        return self.process is not None and self.process.poll() is None

    def stop(self):
        if self.running():
            self.process.kill()
            self.process.wait(10)


class LinuxTest(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="qlx-linux-")
        self.programs = []

    def tearDown(self):
        for q in self.programs:
            q.stop()
        shutil.rmtree(self.home, ignore_errors=True)

    def quiklex(self, *args, home=None, **kw):
        q = Quiklex(home or self.home, args=("-noinitmessage", *args), **kw)
        self.programs.append(q)
        return q

    def settings(self, text):
        """A settings file as from an earlier run: no first-start pages."""
        folder = os.path.join(self.home, ".config", "quiklex")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "quiklex.ini"), "w", encoding="utf-8") as f:
            f.write(text)


def program_windows():
    """The program's shown windows (by their class: a window without a title counts too)."""
    out = run("xdotool", "search", "--onlyvisible", "--class", "quiklex").stdout.split()
    return [int(w) for w in out]
