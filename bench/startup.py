"""Start-up time (process start to the window being mapped) and resident memory one second
after start, under the same Wine in one run, for quiklex.exe and two yardsticks: a bare window
program (minimalwin.exe) and a floor program that does before showing only what the panel must
offer (floorwin.exe). The programs take turns, round after round, so that load changes fall on
all of them. Prints the medians and the ratios; asserts nothing.

Usage: startup.py [--dpis 96,144] [OTHER.exe ...]
  --dpis   measures at each display scale (Wine's LogPixels) in the same run: a copy of the
           prefix per DPI, each with its own Wine server, the rounds taking turns between them
  OTHER    also measures other builds of the program (e.g. an older one)
Environment: QLX_BENCH_RUNS (rounds, default 10)."""
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

BUILD = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "build", "mingw")
RUNS = int(os.environ.get("QLX_BENCH_RUNS", "10"))
HELPER = os.path.join(BUILD, "qlxhelper.exe")


def mapped(wm_class):
    p = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", wm_class],
                       capture_output=True, text=True)
    return p.returncode == 0 and p.stdout.strip() != ""


def rss_kib(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def once(exe, env=None):
    """One start: seconds to the mapped window, resident KiB a second later."""
    name = os.path.basename(exe)
    start = time.monotonic()
    proc = subprocess.Popen(["wine", exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env=env)
    try:
        while not mapped(name):
            if time.monotonic() - start > 30:
                raise SystemExit("%s did not show a window" % name)
            time.sleep(0.005)
        seconds = time.monotonic() - start
        time.sleep(1.0)
        return seconds, rss_kib(proc.pid)
    finally:
        # The Wine process is the program itself: ending it ends only this run's program.
        proc.kill()
        proc.wait()
        time.sleep(0.3)


def program_version():
    with open(os.path.join(os.path.dirname(BUILD), "..", "CMakeLists.txt")) as f:
        return re.search(r"project\(quiklex VERSION ([0-9.]+)", f.read()).group(1)


def settled_settings(env):
    """A settings file that says this version has run: no first-start window, as on every
    start but the first. The download goes to a closed local port: no name lookups."""
    def wine_echo(variable):
        return subprocess.run(["wine", "cmd", "/c", "echo %" + variable + "%"],
                              capture_output=True, text=True, env=env).stdout.strip()
    folder = subprocess.run(["winepath", "-u", wine_echo("APPDATA")], capture_output=True,
                            text=True, env=env).stdout.strip()
    os.makedirs(os.path.join(folder, "quiklex"), exist_ok=True)
    with open(os.path.join(folder, "quiklex", wine_echo("USERNAME") + ".ini"), "w",
              newline="") as f:
        f.write("[Settings]\r\nPrgVersion=%s\r\n" % program_version())


def prefix_at(dpi):
    """The environment of a prefix whose display scale is dpi: a copy of the bench's prefix
    (made while no Wine server runs in it), with LogPixels set before its server starts."""
    base = os.environ["WINEPREFIX"]
    env = dict(os.environ, WINEPREFIX=base + "-%d" % dpi)
    if not os.path.isdir(env["WINEPREFIX"]):
        subprocess.run(["wineserver", "-k"], env=os.environ, capture_output=True)
        shutil.copytree(base, env["WINEPREFIX"], symlinks=True)
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=env, capture_output=True,
                   check=True)
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
    return env


def main():
    args = sys.argv[1:]
    dpis = []
    if len(args) >= 2 and args[0] == "--dpis":
        dpis = [int(d) for d in args[1].split(",")]
        args = args[2:]
    os.environ["QUIKLEX_DEFINITIONS_SERVER"] = "127.0.0.1:9"
    # One environment per display scale; without --dpis the prefix as it is.
    scales = {"": dict(os.environ)} if not dpis else {"@%d" % d: prefix_at(d) for d in dpis}
    programs = {"bare": os.path.join(BUILD, "minimalwin.exe"),
                "floor": os.path.join(BUILD, "floorwin.exe"),
                "quiklex": os.path.join(BUILD, "quiklex.exe")}
    for i, other in enumerate(args):
        programs["other%d" % (i + 1)] = other
    runs = [(name + scale, exe, env) for scale, env in scales.items()
            for name, exe in programs.items()]
    results = {name: ([], []) for name, _, _ in runs}
    keepers = []
    try:
        for env in scales.values():
            settled_settings(env)
            # A hidden window keeps Wine's desktop process alive between the runs, so that no
            # run pays for starting it again; it also warms the Wine server and the file cache.
            keeper = subprocess.Popen(["wine", HELPER, "keep"], stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL, text=True, env=env)
            keeper.stdout.readline()
            keepers.append(keeper)
            if dpis:
                dpi = subprocess.run(["wine", HELPER, "dpi"], capture_output=True, text=True,
                                     env=env).stdout.split()
                print("prefix %s: the screen's DPI is %s" % (env["WINEPREFIX"], dpi[-1]))
        for name, exe, env in runs:  # one start each to warm the file cache
            once(exe, env)
        for _ in range(RUNS):
            for name, exe, env in runs:
                t, m = once(exe, env)
                results[name][0].append(t)
                results[name][1].append(m)
    finally:
        for keeper in keepers:
            keeper.kill()
    median = {name: (statistics.median(t), statistics.median(m)) for name, (t, m) in results.items()}
    print("median of %d alternating rounds" % RUNS)
    for scale in scales:
        bare_t, bare_m = median["bare" + scale]
        floor_t, floor_m = median["floor" + scale]
        for name in programs:
            t, m = median[name + scale]
            line = "  %-12s mapped after %.3f s, %6d KiB" % (name + scale, t, m)
            if name not in ("bare", "floor"):
                line += ("   time: %.2f x bare (goal <= 1.1), %.2f x floor;"
                         "  memory: %.2f x floor (goal <= 1.1), %.2f x bare"
                         % (t / bare_t, t / floor_t, m / floor_m if floor_m else float("nan"),
                            m / bare_m if bare_m else float("nan")))
            print(line)
    if len(dpis) >= 2:
        first, *rest = ["@%d" % d for d in dpis]
        for scale in rest:
            t0, m0 = median["quiklex" + first]
            t1, m1 = median["quiklex" + scale]
            print("  quiklex%s against quiklex%s: time %+.1f %%, memory %+.1f %%"
                  % (scale, first, (t1 / t0 - 1) * 100, (m1 / m0 - 1) * 100))
    print("quiklex.exe size: %d bytes" % os.path.getsize(programs["quiklex"]))


if __name__ == "__main__":
    sys.exit(main())
