#!/usr/bin/python3
# Runs the desktop suite: starts a private desktop (session.py), then the
# test modules test_*.py beside this file against the program, as built or
# as installed into a temporary DESTDIR: each test class that runs on that
# desktop (its DESKTOPS), those that need the installed tree (NEEDS_INSTALL)
# only on an install. Ends everything it started, checks that nothing is
# left running, and closes with "N passed, N failed".
#
#   run.py --helper PATH [--desktop NAME] [--wayland-client PATH] --program PATH [-k PATTERN]
#   run.py --helper PATH [--desktop NAME] --install CMAKE BUILD_DIR LINK [-k PATTERN]
#     NAME is bare (the default), openbox, sway or weston.
#     LINK is the program's link relative to the prefix (bin/sonavolta).
#   SONAVOLTA_DESKTOP_SHOTS=DIR keeps a screenshot of each timed-out wait.

import argparse
import os
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from session import DESKTOPS, DesktopSession  # noqa: E402


def install(cmake, build_dir, destdir):
    subprocess.run([cmake, "--install", build_dir, "--prefix", "/usr"], check=True,
                   env=dict(os.environ, DESTDIR=destdir), stdout=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--helper", required=True)
    parser.add_argument("--desktop", choices=DESKTOPS, default="bare")
    parser.add_argument("--wayland-client")
    parser.add_argument("--program")
    parser.add_argument("--install", nargs=3, metavar=("CMAKE", "BUILD_DIR", "LINK"))
    parser.add_argument("-k", dest="pattern", action="append", help="run only tests whose name holds this")
    args = parser.parse_args()

    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="sonavolta-destdir-") as destdir:
        program = args.program
        if args.install:
            cmake, build_dir, link = args.install
            install(cmake, build_dir, destdir)
            program = os.path.join(destdir, "usr", link)
        with DesktopSession(args.desktop, args.wayland_client) as session:
            result = run_tests(session, program, args.helper, args.wayland_client,
                               destdir if args.install else None, args.pattern)
        # What the session had to end besides its own services, and what
        # survived even that.
        left = session.stray + session.leftovers()

    # A test with failing cases of its table counts once.
    failing = {getattr(test, "test_case", test).id() for test, _ in result.failures + result.errors}
    failed = len(failing) + len(result.unexpectedSuccesses)
    passed = result.testsRun - failed - len(result.skipped)
    if left:
        print("left running after the suite: pids %s" % left)
        failed += 1
    print("desktop suite: %.1f s, program %s" % (time.monotonic() - started, program))
    print("%d passed, %d failed, %d skipped" % (passed, failed, len(result.skipped)))
    return 0 if failed == 0 and result.testsRun > 0 else 1


def run_tests(session, program, helper, wayland_client, destdir, patterns):
    # The accessibility client and the X client connect to this session's
    # display and buses, and to nothing of the caller's.
    os.environ.clear()
    os.environ.update(session.env)
    import desktop  # noqa: E402  (reads the environment as it is imported)
    desktop.configure(session, program, helper, wayland_client, destdir)

    loader = unittest.TestLoader()
    if patterns:
        loader.testNamePatterns = ["*%s*" % p for p in patterns]
    found = tests_of(loader.discover(HERE, pattern="test_*.py", top_level_dir=HERE))
    # A module that failed to import stays, and fails.
    suite = unittest.TestSuite(test for test in found
                               if session.desktop in getattr(test, "DESKTOPS", (session.desktop,))
                               and (destdir or not getattr(test, "NEEDS_INSTALL", False)))
    return unittest.TextTestRunner(verbosity=2, stream=sys.stdout, resultclass=TimedResult).run(suite)


def tests_of(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from tests_of(item)
        else:
            yield item


class TimedResult(unittest.TextTestResult):
    """Says how long each test took."""

    def startTest(self, test):
        self._started = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        self.stream.write("    %.1f s\n" % (time.monotonic() - self._started))
        super().stopTest(test)


if __name__ == "__main__":
    sys.exit(main())
