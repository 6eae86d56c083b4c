"""Start-up time (process start to the window being mapped) and resident memory one second
after start, under the same Wine in one run, for quiklex.exe and two yardsticks: a bare window
program (minimalwin.exe) and a floor program that does before showing only what the panel must
offer (floorwin.exe). The programs take turns, round after round, so that load changes fall on
all of them. Prints the medians and the ratios; asserts nothing.

Usage: startup.py [OTHER.exe ...]  also measures other builds of the program (e.g. an older one)
Environment: QLX_BENCH_RUNS (rounds, default 10)."""
import os
import re
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


def once(exe):
    """One start: seconds to the mapped window, resident KiB a second later."""
    name = os.path.basename(exe)
    start = time.monotonic()
    proc = subprocess.Popen(["wine", exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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


def settled_settings():
    """A settings file that says this version has run: no first-start window, as on every
    start but the first. The download goes to a closed local port: no name lookups."""
    def wine_echo(variable):
        return subprocess.run(["wine", "cmd", "/c", "echo %" + variable + "%"],
                              capture_output=True, text=True).stdout.strip()
    folder = subprocess.run(["winepath", "-u", wine_echo("APPDATA")], capture_output=True,
                            text=True).stdout.strip()
    os.makedirs(os.path.join(folder, "quiklex"), exist_ok=True)
    with open(os.path.join(folder, "quiklex", wine_echo("USERNAME") + ".ini"), "w",
              newline="") as f:
        f.write("[Settings]\r\nPrgVersion=%s\r\n" % program_version())
    os.environ["QUIKLEX_DEFINITIONS_SERVER"] = "127.0.0.1:9"


def main():
    settled_settings()
    # A hidden window keeps Wine's desktop process alive between the runs, so that no run
    # pays for starting it again; it also warms the Wine server and the file cache.
    keeper = subprocess.Popen(["wine", HELPER, "keep"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    keeper.stdout.readline()
    programs = {"bare": os.path.join(BUILD, "minimalwin.exe"),
                "floor": os.path.join(BUILD, "floorwin.exe"),
                "quiklex": os.path.join(BUILD, "quiklex.exe")}
    for i, other in enumerate(sys.argv[1:]):
        programs["other%d" % (i + 1)] = other
    results = {name: ([], []) for name in programs}
    try:
        for name, exe in programs.items():  # one start each to warm the file cache
            once(exe)
        for _ in range(RUNS):
            for name, exe in programs.items():
                t, m = once(exe)
                results[name][0].append(t)
                results[name][1].append(m)
    finally:
        keeper.kill()
    median = {name: (statistics.median(t), statistics.median(m)) for name, (t, m) in results.items()}
    bare_t, bare_m = median["bare"]
    floor_t, floor_m = median["floor"]
    print("median of %d alternating rounds" % RUNS)
    for name, (t, m) in median.items():
        line = "  %-8s mapped after %.3f s, %6d KiB" % (name, t, m)
        if name not in ("bare", "floor"):
            line += ("   time: %.2f x bare (goal <= 1.1), %.2f x floor;"
                     "  memory: %.2f x floor (goal <= 1.1), %.2f x bare"
                     % (t / bare_t, t / floor_t, m / floor_m if floor_m else float("nan"),
                        m / bare_m if bare_m else float("nan")))
        print(line)
    print("quiklex.exe size: %d bytes" % os.path.getsize(programs["quiklex"]))


if __name__ == "__main__":
    sys.exit(main())
