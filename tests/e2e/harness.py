"""End-to-end harness: drives the real quiklex.exe under Wine on the test run's X display.

scripts/test makes the Wine prefix and the display once per run and exports WINEPREFIX, DISPLAY
and QLX_WORK; run.py puts a stand-in for the desktop's browser launcher first in PATH.
"""
import os
import re
import select
import shutil
import subprocess
import time
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("QLX_BUILD", os.path.join(ROOT, "build", "mingw"))
EXE = os.path.join(BUILD, "quiklex.exe")
HELPER = os.path.join(BUILD, "qlxhelper.exe")
WORK = os.environ.get("QLX_WORK", "/tmp")
BROWSER_LOG = os.path.join(WORK, "browser.log")
with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as _f:
    PROGRAM_VERSION = re.search(r"project\(quiklex VERSION ([0-9.]+)", _f.read()).group(1)
PANEL_COLOUR = "0x3E745C"  # red 62, green 116, blue 92

# Every started Quiklex fetches its definitions from a closed local port unless a test names
# its own server: no test depends on outside name resolution or the network, and a failed
# download at start shows nothing.
DEFINITIONS_SERVER_VARIABLE = "QUIKLEX_DEFINITIONS_SERVER"
os.environ.setdefault(DEFINITIONS_SERVER_VARIABLE, "127.0.0.1:9")


def wait_for(condition, timeout=10.0, interval=0.1, what="condition", fail=True):
    """Polls until condition() is true; fails the test after timeout seconds (or, with
    fail=False, returns the last value)."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            if not fail:
                return value
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


def helper(*args, timeout=20):
    """Runs the tests' Windows helper; returns (exit code, stripped stdout)."""
    p = subprocess.run(["wine", HELPER, *map(str, args)], capture_output=True, text=True,
                       timeout=timeout)
    return p.returncode, p.stdout.strip()


_where = {}


def scaled(value, dpi):
    """A 96-DPI number at dpi, as the system's MulDiv rounds: halves away from zero."""
    return (value * dpi * 2 + 96) // 192


def set_dpi(dpi):
    """Sets Wine's display DPI and restarts the Wine server so that programs see it."""
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], capture_output=True, timeout=120)
    restart_wine_server()


def restart_wine_server():
    """A new Wine server, so that programs see what the registry says now (the DPI, the
    system colours)."""
    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, "timeout": 60}
    subprocess.run(["wineserver", "-k"], **quiet)
    subprocess.run(["wineserver", "-w"], **quiet)
    # The server stays for the rest of the run, as the run's own does (it keeps no pipe open).
    subprocess.run(["wineserver", "-p"], **quiet)
    # The first program under a new server starts Wine's session, whose programs inherit the
    # output: a helper run without a pipe waits for it.
    subprocess.run(["wine", HELPER, "find"], **dict(quiet, timeout=120))


def screen_dpi():
    """The DPI a Windows program sees."""
    return int(helper("dpi")[1])


def wine_text(*args):
    p = subprocess.run(["wine", *args], capture_output=True, text=True, timeout=60)
    return p.stdout.strip()


def unix_path(windows_path):
    return subprocess.run(["winepath", "-u", windows_path], capture_output=True, text=True,
                          timeout=60).stdout.strip()


def windows_path(path):
    return subprocess.run(["winepath", "-w", path], capture_output=True, text=True,
                          timeout=60).stdout.strip()


def wine_variable(name):
    """An environment variable of Wine's programs. A Wine session that is still starting can
    answer with nothing; such an answer is asked again rather than kept for the whole run."""
    for _ in range(10):
        value = wine_text("cmd", "/c", "echo %" + name + "%")
        if value and "%" not in value:
            return value
        time.sleep(1)
    raise AssertionError("Wine did not tell %" + name + "%")


def user_name():
    if "user" not in _where:
        _where["user"] = wine_variable("USERNAME")
    return _where["user"]


def settings_folder():
    """The "quiklex" folder in the Wine user's application-data folder."""
    if "folder" not in _where:
        folder = unix_path(wine_variable("APPDATA"))
        if not os.path.isabs(folder):
            raise AssertionError("no application-data folder: %r" % folder)
        _where["folder"] = os.path.join(folder, "quiklex")
    return _where["folder"]


def clear_settings(first_start=False):
    """No settings left by an earlier test. Unless first_start is asked for, a settings file
    says that this version has run before, so no first-start window or step comes up."""
    shutil.rmtree(settings_folder(), ignore_errors=True)
    if not first_start:
        os.makedirs(settings_folder(), exist_ok=True)
        with open(os.path.join(settings_folder(), user_name() + ".ini"), "w", newline="") as f:
            f.write("[Settings]\r\nPrgVersion=%s\r\n" % PROGRAM_VERSION)


class Panel:
    def __init__(self, line):
        parts = line.split()
        self.hwnd = parts[0]
        self.visible = parts[1] == "1"
        self.iconic = parts[2] == "1"
        self.left, self.top, self.width, self.height = map(int, parts[3:7])


def find_panel():
    code, out = helper("find")
    return Panel(out) if code == 0 else None


def menu_open():
    """The open popup menu's rectangle (left, top, right, bottom), or None."""
    code, out = helper("menu")
    if code != 0:
        return None
    return tuple(map(int, out.splitlines()[0].split()))


def right_click_menu(x, y, timeout=10):
    """Right-clicks the screen point until a popup menu is open (a click that comes while the
    window is still being mapped goes elsewhere); returns the menu's rectangle."""
    def clicked_and_open():
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "3"], timeout=10)
        return wait_for(menu_open, 2, what="the menu", fail=False)
    return wait_for(clicked_and_open, timeout, interval=0.2, what="the panel menu")


def foreground_class():
    return helper("foreground")[1]


def browser_log():
    try:
        with open(BROWSER_LOG, encoding="utf-8", errors="replace") as f:
            return [line.rstrip("\n") for line in f]
    except FileNotFoundError:
        return []


class Quiklex:
    """One started quiklex.exe process."""

    def __init__(self, *args, env=None, exe=EXE, errors=None):
        """env: variables to set for this process only (e.g. the definitions server);
        exe: a copy of the program elsewhere; errors: a file that takes Wine's error output
        of the program and of what it starts (the shell's browser launcher)."""
        self.started = time.monotonic()
        err = open(errors, "a") if errors else subprocess.DEVNULL
        self.proc = subprocess.Popen(["wine", exe, *args], stdout=subprocess.DEVNULL,
                                     stderr=err, env=dict(os.environ, **env) if env else None)
        if errors:
            err.close()

    def wait_visible(self, timeout=20):
        return wait_for(lambda: (p := find_panel()) and p.visible and p, timeout,
                        what="the panel to show")

    def exit_code(self, timeout=20):
        return self.proc.wait(timeout=timeout)

    def running(self):
        return self.proc.poll() is None

    def kill(self):
        if self.running():
            helper("kill")
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()


def start_second(*args, timeout=20):
    """A second start; returns its exit code."""
    return subprocess.run(["wine", EXE, *args], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=timeout).returncode


def end_all():
    """Ends every Quiklex left over from an earlier test."""
    for _ in range(5):
        if find_panel() is None:
            return
        helper("kill")
        time.sleep(0.3)


_warmed_up = False


def warm_up():
    """Once per test process. The first Wine program under a new Wine server starts the server
    and its desktop, and the first program to use the network loads Wine's network services; a
    Windows program started at that very moment (a helper) can hang. Both happen here first."""
    global _warmed_up
    if _warmed_up:
        return
    _warmed_up = True
    try:
        helper("find", timeout=120)
        q = Quiklex()
        time.sleep(4)
        end_all()
        q.proc.wait(timeout=30)
    except Exception:
        pass


class QuiklexTest(unittest.TestCase):
    """Starts each test with no Quiklex running and ends whatever the test started."""

    @classmethod
    def setUpClass(cls):
        warm_up()

    # A test class that sets this starts each test with no settings file at all.
    first_start = False

    def setUp(self):
        end_all()
        clear_settings(self.first_start)
        self.programs = []

    def tearDown(self):
        for q in self.programs:
            q.kill()
        end_all()
        shutil.rmtree(settings_folder(), ignore_errors=True)

    def start(self, *args, env=None, exe=EXE, errors=None):
        q = Quiklex(*args, env=env, exe=exe, errors=errors)
        self.programs.append(q)
        return q

    def other_window(self, seconds=30, stays=True):
        """Another program's window, activated; returns its process. With stays, the test
        also waits until the system reports it in the foreground (a window of the program
        that takes the foreground back at once would make that wait fail)."""
        p = subprocess.Popen(["wine", HELPER, "other", str(seconds)], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(p.kill)
        wait_for_line(p, "front", 10, what="the other window activated")
        if stays:
            wait_for(lambda: foreground_class() == "QlxOther", 10,
                     what="the other window in front")
        return p


def wait_for_line(proc, line, timeout, what):
    """Reads the process's output until a line that is line, for at most timeout seconds."""
    end = time.monotonic() + timeout
    while True:
        left = end - time.monotonic()
        if left <= 0 or not select.select([proc.stdout], [], [], left)[0]:
            raise AssertionError("timed out waiting for " + what)
        got = proc.stdout.readline()
        if not got:
            raise AssertionError("the process ended before " + what)
        if got.strip() == line:
            return


def xdo(*args):
    """xdotool, as a user's keys and mouse."""
    subprocess.run(["xdotool", *map(str, args)], capture_output=True, timeout=10)


def click_text_lines(left, top, width=120, height=120):
    """Clicks once into each line of text in the area (bands of ink, a link's underline
    joined to its line), a second apart; returns how many lines there were."""
    lines = []
    for band in helper("rows", left, top, width, height)[1].splitlines():
        band_top, band_bottom = map(int, band.split())
        if lines and band_top - lines[-1][1] <= 2:
            lines[-1] = (lines[-1][0], band_bottom)
        else:
            lines.append((band_top, band_bottom))
    for line_top, line_bottom in lines:
        xdo("mousemove", left + 20, (line_top + line_bottom) // 2, "click", 1)
        time.sleep(1.0)
    return len(lines)


def client(window_class):
    """(left, top, width, height, caption) of the client area of a window of that class on the
    screen, or None when there is none."""
    code, out = helper("client", window_class)
    if code != 0:
        return None
    parts = out.split(" ", 4) + [""]  # an empty caption leaves no fifth word
    return int(parts[0]), int(parts[1]), int(parts[2]), int(parts[3]), parts[4]


def shown(window_class):
    """Whether a window of that class is there and visible."""
    code, out = helper("window", window_class)
    return code == 0 and out.split()[1] == "1"


def where_shown(window_class, rect):
    """The client rectangle (left, top, width, height, caption) of a window of that class as
    the X server shows it: where a user sees it, and where a click reaches it. Under load Wine
    can keep a window's rectangle at (0, 0) while the X server shows the window in its place,
    so that clicks at the system's idea of the place reach the desktop. The X window is the
    whole window, found by its caption and size; None while the X server shows none."""
    left, top, width, height, caption = rect
    code, out = helper("window", window_class)
    if code != 0:
        return None
    outer = [int(v) for v in out.split()[2:6]]
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                            "^%s$" % re.escape(caption)], capture_output=True, text=True,
                           timeout=10).stdout.split()
    for window in found:
        shape = dict(line.split("=", 1) for line in subprocess.run(
            ["xdotool", "getwindowgeometry", "--shell", window], capture_output=True,
            text=True, timeout=10).stdout.split() if "=" in line)
        if [int(shape.get("WIDTH", -1)), int(shape.get("HEIGHT", -1))] == outer[2:]:
            return (int(shape["X"]) + left - outer[0], int(shape["Y"]) + top - outer[1], width,
                    height, caption)
    return None


def open_settings_window():
    """Asks the running program for its settings window (its internal command 2, 5) and
    returns the window's client rectangle on the screen once it is shown."""
    helper("post", 2, 5)
    wait_for(lambda: shown("TFormSettings"), 10, what="the settings window")
    rect = client("TFormSettings")
    if not rect or not rect[4]:
        return rect
    # The X server may map the window a moment after the system shows it.
    return wait_for(lambda: where_shown("TFormSettings", rect), 5, fail=False) or rect


def settings_text():
    """The user's settings file as text; empty while there is none."""
    try:
        with open(os.path.join(settings_folder(), user_name() + ".ini"), "rb") as f:
            return f.read().decode("cp1252")
    except FileNotFoundError:
        return ""


def protect(test, *paths):
    """Gives files and folders the rights that an administrator's folder (Program Files, a
    read-only share) has for a plain user: SYSTEM full control, everyone else read and run. A
    shared settings file beside the program counts only in such a folder. Wine keeps the
    rights as the Unix mode (no write bits), which the test's clean-up gives back."""
    test.assertEqual(helper("protect", *map(windows_path, paths)), (0, "ok"))
    for path in paths:
        test.addCleanup(lambda p=path: os.path.exists(p) and
                        os.chmod(p, 0o755 if os.path.isdir(p) else 0o644))


def reg_values(key):
    """{name: (type, data)} of a registry key under Wine; empty when the key is missing."""
    p = subprocess.run(["wine", "reg", "query", key], capture_output=True, text=True, timeout=120)
    values = {}
    for line in p.stdout.splitlines():
        m = re.match(r"^    (.*?)    (REG_\w+)    ?(.*?)\r?$", line)
        if m:
            values[m.group(1)] = (m.group(2), m.group(3))
    return values


def copy_text(text):
    """Puts a short plain text on the clipboard and waits until the clipboard reads it back
    (Wine's clipboard can for a moment still hand out what a program that has ended copied)."""
    def copied():
        helper("clipboard", text)
        return wait_for(lambda: helper("getclipboard")[1] == text, 2, fail=False)
    wait_for(copied, 10, interval=0.2, what="the text on the clipboard")

