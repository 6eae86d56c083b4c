"""Start-up time (process start to the window being mapped) and resident memory one second
after start of the Linux program and of a bare Qt window program (qtbarewin) built beside it,
taking turns round after round so that load changes fall on both; then the program's CPU time
over 30 s of idling (from 15 s after its start, when the download's retries are over) with a
tray host on the bus. Prints the medians and the ratios; asserts nothing.

Environment: QLX_BENCH_RUNS (rounds, default 20), QLX_IDLE_SECONDS (default 30)."""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "native")
RUNS = int(os.environ.get("QLX_BENCH_RUNS", "20"))
IDLE = float(os.environ.get("QLX_IDLE_SECONDS", "30"))
with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
    VERSION = re.search(r"project\(quiklex VERSION ([0-9.]+)", f.read()).group(1)


def mapped(name):
    p = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name],
                       capture_output=True, text=True)
    return p.returncode == 0 and p.stdout.strip() != ""


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def program_env(home):
    """A home with the settings of an earlier run: no first-start page, no network."""
    folder = os.path.join(home, ".config", "quiklex")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "quiklex.ini"), "w") as f:
        f.write("[Settings]\nPrgVersion=%s\n" % VERSION)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               QUIKLEX_DEFINITIONS_SERVER="127.0.0.1:9")
    return env


def start(exe, name, env):
    began = time.monotonic()
    proc = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not mapped(name):
        if time.monotonic() - began > 30:
            proc.kill()
            raise SystemExit("%s did not show a window" % name)
        time.sleep(0.005)
    return proc, time.monotonic() - began


def once(exe, name, env):
    proc, seconds = start(exe, name, env)
    try:
        time.sleep(1.0)
        return seconds, rss_kib(proc.pid)
    finally:
        proc.kill()
        proc.wait()
        time.sleep(0.3)


def main():
    home = tempfile.mkdtemp(prefix="qlx-bench-")
    env = program_env(home)
    programs = [("quiklex", os.path.join(BUILD, "quiklex"), "Quiklex"),
                ("qtbarewin", os.path.join(BUILD, "qtbarewin"), "qtbarewin")]
    results = {label: [] for label, _, _ in programs}
    for _ in range(RUNS):
        for label, exe, name in programs:
            results[label].append(once(exe, name, env))
    medians = {}
    for label, runs in results.items():
        t = statistics.median(r[0] for r in runs)
        m = statistics.median(r[1] for r in runs)
        medians[label] = (t, m)
        print("%-10s start-up %6.1f ms   memory %7d KiB   (median of %d)" % (label, t * 1000, m, RUNS))
    (qt, qm), (bt, bm) = medians["quiklex"], medians["qtbarewin"]
    print("ratio      start-up %.2f x      memory %.2f x" % (qt / bt, qm / bm))

    # Idle on a desktop with a tray: a stand-in tray host on the bus. Without one the program
    # asks for its icon again every few seconds, as it should.
    watcher = subprocess.Popen(["/usr/bin/python3", os.path.join(ROOT, "tests", "linux", "helper",
                                                                 "sniwatcher.py")],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    watcher.stdout.readline()
    proc, _ = start(programs[0][1], "Quiklex", env)
    try:
        # The creation's last steps, and the download's retries against the closed port (six,
        # about 1.5 s apart), are over by then.
        time.sleep(15.0)
        before = cpu_ticks(proc.pid)
        time.sleep(IDLE)
        after = cpu_ticks(proc.pid)
    finally:
        proc.kill()
        proc.wait()
        watcher.kill()
    print("idle       %d CPU ticks (of %d per second) over %.0f s" %
          (after - before, os.sysconf("SC_CLK_TCK"), IDLE))
    return 0


if __name__ == "__main__":
    sys.exit(main())
