"""Lookup latency under Wine: from the shortcut press (xdotool) to the browser launcher being
started, for quiklex.exe (clipboard lookup) and for a minimal program that only turns the hot
key into the shell's open action. Prints the medians and their ratio; asserts nothing."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.environ.get("QLX_BUILD", os.path.join(ROOT, "build", "mingw"))
HELPER = os.path.join(BUILD, "qlxhelper.exe")
RUNS = int(os.environ.get("QLX_BENCH_RUNS", "12"))  # presses per round
ROUNDS = int(os.environ.get("QLX_BENCH_ROUNDS", "3"))


def run(*args, **kw):
    return subprocess.run(list(map(str, args)), capture_output=True, text=True, timeout=60, **kw)


def helper(*args):
    return run("wine", HELPER, *args).stdout.strip()


def foreground_class():
    return helper("foreground")


def wait(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise SystemExit("timed out waiting for " + what)
        time.sleep(0.02)


class Launcher:
    """A stand-in for the browser launcher that records the time it was started."""

    def __init__(self, work):
        self.log = os.path.join(work, "launched.log")
        bindir = os.path.join(work, "bin")
        os.makedirs(bindir, exist_ok=True)
        script = os.path.join(bindir, "xdg-open")
        with open(script, "w") as f:
            f.write('#!/bin/sh\npython3 -c "import time; print(time.time())" >> "%s"\n' % self.log)
        os.chmod(script, 0o755)
        os.environ["PATH"] = bindir + os.pathsep + os.environ["PATH"]

    def stamps(self):
        try:
            with open(self.log) as f:
                return [float(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []


def press_and_time(launcher, focus):
    focus()
    before = len(launcher.stamps())
    pressed = time.time()
    run("xdotool", "key", "ctrl+shift+c")
    wait(lambda: len(launcher.stamps()) > before, 20, "the browser launcher")
    latency = launcher.stamps()[before] - pressed
    time.sleep(0.3)
    return latency


def measure(exe, window_class, launcher, focus):
    proc = subprocess.Popen(["wine", exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait(lambda: run("xdotool", "search", "--onlyvisible", "--classname",
                         os.path.basename(exe)).stdout.strip() != "", 30, window_class)
        time.sleep(1.5)  # start-up settles
        press_and_time(launcher, focus)  # warm the launcher path
        return [press_and_time(launcher, focus) for _ in range(RUNS)]
    finally:
        run("wine", "taskkill", "/f", "/im", os.path.basename(exe))
        proc.kill()
        proc.wait()
        time.sleep(0.5)


def main():
    work = os.environ.get("QLX_BENCH_WORK") or tempfile.mkdtemp(prefix="quiklex-hotkey.")
    launcher = Launcher(work)
    # A copy of the program whose settings say this version has run before, so nothing but
    # the panel shows at start.
    folder = os.path.join(work, "program")
    os.makedirs(folder, exist_ok=True)
    exe = os.path.join(folder, "quiklex.exe")
    shutil.copy(os.path.join(BUILD, "quiklex.exe"), exe)
    user_ini = os.path.join(folder, "user.ini")
    with open(user_ini, "w", newline="") as f:
        f.write("[Settings]\r\nPrgVersion=0.6.0\r\n")
    with open(os.path.join(folder, "quiklex.ini"), "w", newline="") as f:
        f.write("[Shared Settings]\r\nUsersIniFilePath=Z:%s\r\n" % user_ini.replace("/", "\\"))

    helper("find")  # warm the Wine server and the file cache

    def focus_minimal():
        if foreground_class() != "HotKeyMin":
            run("xdotool", "search", "--classname", "hotkeymin.exe", "windowactivate")
            wait(lambda: foreground_class() == "HotKeyMin", 10, "the minimal window focused")

    def focus_panel():
        helper("clipboard", "hus")
        # Wine hands a hot key over only while one of its windows has the keyboard focus.
        if foreground_class() != "TFormMain":
            helper("send", 0, 0)
            wait(lambda: foreground_class() == "TFormMain", 10, "the panel focused")

    # Alternating rounds, so that a change in the machine's load falls on both programs.
    base, q = [], []
    for _ in range(ROUNDS):
        base += measure(os.path.join(BUILD, "hotkeymin.exe"), "HotKeyMin", launcher, focus_minimal)
        q += measure(exe, "TFormMain", launcher, focus_panel)
    b, m = statistics.median(base), statistics.median(q)
    print("shortcut to browser started: minimal %.3f s, quiklex %.3f s, ratio %.2f (goal <= 1.1)"
          % (b, m, m / b))
    print("  minimal runs: " + " ".join("%.3f" % t for t in sorted(base)))
    print("  quiklex runs: " + " ".join("%.3f" % t for t in sorted(q)))


if __name__ == "__main__":
    sys.exit(main())
