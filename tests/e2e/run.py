"""Runs every end-to-end test (tests/e2e/test_*.py) and ends with "e2e: N passed, N failed"."""
import os
import stat
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


def main():
    install_browser_stand_in()
    pattern = sys.argv[1] if len(sys.argv) > 1 else "test_*.py"
    suite = unittest.defaultTestLoader.discover(HERE, pattern=pattern)
    result = unittest.TextTestRunner(verbosity=2, resultclass=Result).run(suite)
    failed = len(result.failures) + len(result.errors)
    passed = result.testsRun - failed - len(result.skipped)
    print("e2e: %d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
