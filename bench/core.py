"""The core benchmarks against their yardsticks, measured in one run: the median wall-clock and
processor time of each workload (Google Benchmark, repetitions interleaved at random so that a
busy machine hurts both sides alike) and its instruction count under callgrind (one run each,
the workload alone, not its set-up). Prints each figure and the program's ratio to every yardstick of its
group (below 1: the program is faster); asserts nothing.

Usage: core.py [GROUP...]   e.g. core.py xml ini; all groups by default. walk_500k has no
yardstick: it is the definitions walk alone, the part of download_500k that curl does not do.
Environment: QLX_BENCH_REPS (repetitions, default 5), QLX_BENCH_CALLGRIND=0 to skip counting."""
import json
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "build", "native", "quiklex_bench")
PROGRAM = "quiklex"


def wall_clock(groups, reps):
    args = [BENCH, "--benchmark_format=json", "--benchmark_repetitions=%d" % reps,
            "--benchmark_report_aggregates_only=true", "--benchmark_enable_random_interleaving=true"]
    if groups:
        args.append("--benchmark_filter=^(%s)/" % "|".join(groups))
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    real, cpu = {}, {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            real[b["run_name"]] = b["real_time"]  # microseconds
            cpu[b["run_name"]] = b["cpu_time"]
    return real, cpu


def instructions(name):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--collect-atstart=no",
                        "--toggle-collect=qlx_bench_once", "--callgrind-out-file=" + out,
                        BENCH, "--once=" + name],
                       check=True, capture_output=True, text=True)
        with open(out) as f:
            for line in f:
                if line.startswith("totals:") or line.startswith("summary:"):
                    return int(line.split()[1])
    raise SystemExit("no instruction count for " + name)


def names(groups):
    listed = subprocess.run([BENCH, "--benchmark_list_tests=true"], check=True,
                            capture_output=True, text=True).stdout.split()
    return [n for n in listed if not groups or n.split("/")[0] in groups]


def report(title, figures, unit, fmt):
    print("\n" + title)
    by_group = {}
    for name in sorted(figures):
        group, side = name.split("/", 1)
        by_group.setdefault(group, {})[side] = figures[name]
    for group, sides in by_group.items():
        own = sides.get(PROGRAM)
        for side in sorted(sides, key=lambda s: (s != PROGRAM, s)):
            value = sides[side]
            line = "  %-14s %-9s %14s %s" % (group, side, fmt(value), unit)
            if side != PROGRAM and own is not None and value > 0:
                line += "   %s/%s = %.2f" % (PROGRAM, side, own / value)
            print(line)


def main():
    groups = sys.argv[1:]
    reps = int(os.environ.get("QLX_BENCH_REPS", "5"))
    real, cpu = wall_clock(groups, reps)
    report("Wall clock, median of %d repetitions" % reps, real, "us", lambda v: "%.1f" % v)
    # The measuring thread's own processor time: less disturbed by other work on the machine.
    # For the downloads it leaves out the local server, which serves both sides alike.
    report("Processor time of the measuring thread, median of %d repetitions" % reps, cpu, "us",
           lambda v: "%.1f" % v)
    if os.environ.get("QLX_BENCH_CALLGRIND", "1") != "0":
        counts = {n: instructions(n) for n in names(groups)}
        report("Instructions (callgrind, one run; kernel time not counted)", counts, "Ir",
               lambda v: "{:,}".format(v))


if __name__ == "__main__":
    main()
