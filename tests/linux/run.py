"""Runs the Linux program's end-to-end tests (tests/linux/test_*.py) and ends with
"linux e2e: N passed, N failed". Expects DISPLAY (with a window manager) and a session bus."""
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)


def main():
    names = sys.argv[1:]
    loader = unittest.TestLoader()
    suite = (loader.loadTestsFromNames(names) if names else
             loader.discover(HERE, pattern="test_*.py", top_level_dir=HERE))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    failed = len(result.failures) + len(result.errors)
    print("linux e2e: %d passed, %d failed" % (result.testsRun - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
