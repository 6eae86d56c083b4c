"""Runs every end-to-end test (tests/e2e/test_*.py) and ends with "e2e: N passed, N failed"."""
import os
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


def main():
    install_browser_stand_in()
    keeper = keep_desktop()
    pattern = sys.argv[1] if len(sys.argv) > 1 else "test_*.py"
    suite = unittest.defaultTestLoader.discover(HERE, pattern=pattern)
    try:
        result = unittest.TextTestRunner(verbosity=2, resultclass=Result).run(suite)
    finally:
        keeper.kill()
    failed = len(result.failures) + len(result.errors)
    passed = result.testsRun - failed - len(result.skipped)
    print("e2e: %d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
