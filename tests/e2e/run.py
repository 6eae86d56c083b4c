"""Runs the end-to-end tests (tests/e2e/test_*.py) and ends with "e2e: N passed, N failed,
N flaky"; with --repeat, runs chosen tests many times over and counts their failures."""
import argparse
import glob
import io
import os
import shutil
import stat
import subprocess
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import harness  # noqa: E402


def install_browser_stand_in():
    """Under Wine the shell's open action ends at xdg-open: record the addresses instead."""
    bindir = os.path.join(harness.WORK, "bin")
    os.makedirs(bindir, exist_ok=True)
    script = os.path.join(bindir, "xdg-open")
    with open(script, "w") as f:
        f.write('#!/bin/sh\nfor a in "$@"; do printf "%%s\\n" "$a" >> "%s"; done\n'
                % harness.BROWSER_LOG)
    os.chmod(script, os.stat(script).st_mode | stat.S_IEXEC | stat.S_IXGRP | stat.S_IXOTH)
    os.environ["PATH"] = bindir + os.pathsep + os.environ["PATH"]


class Result(unittest.TextTestResult):
    pass


def keep_desktop():
    """Wine's desktop process ends when the last program's windows are gone, and a program
    started while it ends can hang: a hidden window keeps it alive for the whole run."""
    keeper = subprocess.Popen(["wine", harness.HELPER, "keep"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    keeper.stdout.readline()
    return keeper


def failed_tests(result):
    """The tests that failed or erred, once each (a failed sub-test names its test)."""
    tests = {}
    for test, _ in result.failures + result.errors:
        test = getattr(test, "test_case", test)
        tests.setdefault(test.id(), test)
    return list(tests.values())


def each_test(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from each_test(item)
        else:
            yield item


def chosen(suite, only):
    """The tests whose names contain one of the words in only (all of them without words)."""
    if not only:
        return suite
    return unittest.TestSuite(t for t in each_test(suite) if any(w in t.id() for w in only))


def run_all(runner, suite):
    result = runner.run(suite)
    failed = failed_tests(result)
    # A test that failed runs once more on its own. One that then passes still passes the run
    # (the machine is shared), but it is named at the end with its failure above, never
    # silently: a test that needs a second chance is a fault of the program or of the harness
    # waiting to be found.
    flaky = []
    if failed:
        print("running the %d failed test(s) once more" % len(failed), flush=True)
        retried = unittest.TestSuite()
        for test in failed:
            try:  # a class or module fixture that failed names no test to run again
                retried.addTest(unittest.defaultTestLoader.loadTestsFromName(test.id()))
            except (AttributeError, ImportError, ValueError):
                continue
            flaky.append(test.id())
        still = {t.id() for t in failed_tests(runner.run(retried))}
        flaky = [name for name in flaky if name not in still]
    for name in flaky:
        print("flaky: %s failed, then passed when run again (1 of 1 re-runs passed)" % name)
    bad = len(failed) - len(flaky)
    passed = result.testsRun - bad - len(result.skipped)
    print("e2e: %d passed, %d failed, %d flaky" % (passed, bad, len(flaky)))
    return 0 if bad == 0 else 1


def run_repeated(suite, times, keep):
    """Runs each test times over, with no second chances; keeps each failed run's output in
    keep (a folder) and ends with each test's count of failures."""
    tests = list(each_test(suite))
    failures = {t.id(): 0 for t in tests}
    if keep:
        os.makedirs(keep, exist_ok=True)
    for run in range(1, times + 1):
        for test in tests:
            out = io.StringIO()
            result = unittest.TextTestRunner(stream=out, verbosity=2, resultclass=Result).run(
                unittest.defaultTestLoader.loadTestsFromName(test.id()))
            ok = result.wasSuccessful()
            print("run %d: %s %s" % (run, test.id(), "ok" if ok else "FAILED"), flush=True)
            if not ok:
                failures[test.id()] += 1
                if keep:
                    name = "%s.%d.txt" % (test.id(), run)
                    with open(os.path.join(keep, name), "w") as f:
                        f.write(out.getvalue())
                    # Screenshots a test took when it failed (named *-failed.png).
                    for shot in glob.glob(os.path.join(harness.WORK, "*-failed.png")):
                        shutil.move(shot, os.path.join(keep, "%s.%d.%s" % (
                            test.id(), run, os.path.basename(shot))))
                else:
                    print(out.getvalue(), flush=True)
    for name, count in failures.items():
        print("repeat: %s failed %d of %d runs" % (name, count, times))
    return 0 if not any(failures.values()) else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("pattern", nargs="?", default="test_*.py", help="test files")
    parser.add_argument("--only", action="append", default=[],
                        help="only the tests whose names contain this (repeatable)")
    parser.add_argument("--repeat", type=int, default=0, metavar="N",
                        help="run each test N times with no re-runs and count the failures")
    parser.add_argument("--keep", metavar="FOLDER",
                        help="with --repeat: keep each failed run's output in this folder")
    args = parser.parse_args()
    install_browser_stand_in()
    keeper = keep_desktop()
    suite = chosen(unittest.defaultTestLoader.discover(HERE, pattern=args.pattern), args.only)
    try:
        if args.repeat > 0:
            return run_repeated(suite, args.repeat, args.keep)
        return run_all(unittest.TextTestRunner(verbosity=2, resultclass=Result), suite)
    finally:
        keeper.kill()


if __name__ == "__main__":
    sys.exit(main())
