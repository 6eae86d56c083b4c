"""Start-up time (process start to the window being mapped) and resident memory after start,
for quiklex.exe and for a minimal one-window Win32 program, under the same Wine in one run.
Prints the medians and their ratios; asserts nothing."""
import os
import statistics
import subprocess
import sys
import time

BUILD = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "build", "mingw")
RUNS = int(os.environ.get("QLX_BENCH_RUNS", "7"))


def mapped(wm_class):
    p = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", wm_class],
                       capture_output=True, text=True)
    return p.returncode == 0 and p.stdout.strip() != ""


def rss_kib(exe_name):
    total = 0
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                cmd = f.read().replace(b"\0", b" ").decode(errors="replace")
            if exe_name not in cmd or "python" in cmd:
                continue
            with open("/proc/%s/status" % pid) as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        total = max(total, int(line.split()[1]))
        except OSError:
            pass
    return total


def measure(exe):
    name = os.path.basename(exe)
    times, memory = [], []
    for _ in range(RUNS):
        start = time.monotonic()
        proc = subprocess.Popen(["wine", exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        while not mapped(name):
            if time.monotonic() - start > 30:
                raise SystemExit("%s did not show a window" % name)
            time.sleep(0.01)
        times.append(time.monotonic() - start)
        time.sleep(1.0)
        memory.append(rss_kib(name))
        subprocess.run(["wine", os.path.join(BUILD, "qlxhelper.exe"), "kill"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        proc.kill()
        proc.wait()
        subprocess.run(["pkill", "-f", name])
        time.sleep(0.3)
    return statistics.median(times), statistics.median(memory)


def main():
    # A hidden window keeps Wine's desktop process alive between the runs, so that no run
    # pays for starting it again; it also warms the Wine server and the file cache.
    keeper = subprocess.Popen(["wine", os.path.join(BUILD, "qlxhelper.exe"), "keep"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    keeper.stdout.readline()
    try:
        report()
    finally:
        keeper.kill()


def report():
    base_t, base_m = measure(os.path.join(BUILD, "minimalwin.exe"))
    q_t, q_m = measure(os.path.join(BUILD, "quiklex.exe"))
    size = os.path.getsize(os.path.join(BUILD, "quiklex.exe"))
    print("start-up to mapped window: minimal %.3f s, quiklex %.3f s, ratio %.2f (goal <= 1.2)"
          % (base_t, q_t, q_t / base_t))
    print("resident memory after start: minimal %d KiB, quiklex %d KiB, ratio %.2f (goal <= 1.2)"
          % (base_m, q_m, q_m / base_m if base_m else float("nan")))
    print("quiklex.exe size: %d bytes (goal < 1.5 MB)" % size)


if __name__ == "__main__":
    sys.exit(main())
