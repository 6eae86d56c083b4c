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
    # The package's tests last: while it is installed, its D-Bus service file would start the
    # installed program for other tests' calls.
    parts = list(suite)
    suite = unittest.TestSuite([p for p in parts if "test_package." not in repr(p)] +
                               [p for p in parts if "test_package." in repr(p)])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    failed = len(result.failures) + len(result.errors)
    print("linux e2e: %d passed, %d failed" % (result.testsRun - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
