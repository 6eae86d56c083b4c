"""Load and faults: many starts at once, a foreign holder of the single-instance semaphore, a
long run of DDE pokes, and DLLs planted beside the program."""
import os
import re
import shutil
import subprocess
import time

from harness import (BUILD, EXE, HELPER, WORK, QuiklexTest, browser_log, find_panel, helper,
                     wait_for)
from test_definitions import DictionaryServer, ok_answer

# QLX_START_ROUNDS=10 for the full figure; the suite runs fewer rounds.
START_ROUNDS = int(os.environ.get("QLX_START_ROUNDS", "3"))
STARTS = 10
POKES = 200


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        return int(re.search(r"VmRSS:\s+(\d+)", f.read()).group(1))


class Load(QuiklexTest):
    def test_ten_starts_at_once_leave_exactly_one_running(self):
        for round_ in range(START_ROUNDS):
            starts = [self.start() for _ in range(STARTS)]
            # Every start but one ends with exit code 1; none hangs.
            wait_for(lambda: sum(not q.running() for q in starts) >= STARTS - 1, 60,
                     what="the other starts to end (round %d)" % round_)
            time.sleep(1)  # a late second holder would show now
            running = [q for q in starts if q.running()]
            self.assertEqual(len(running), 1, "round %d" % round_)
            self.assertEqual(sorted(q.exit_code() for q in starts if q not in running),
                             [1] * (STARTS - 1))
            running[0].wait_visible()
            print("round %d: one running, %d exited with 1 after %.1f s" % (
                round_, STARTS - 1, time.monotonic() - starts[0].started), flush=True)
            running[0].kill()
            self.programs.clear()

    def test_a_foreign_holder_without_a_window_makes_a_start_end_with_1(self):
        holder = subprocess.Popen(["wine", HELPER, "semaphore", "60"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(holder.kill)
        self.assertEqual(holder.stdout.readline().strip(), "ready")
        for args in ((), ("-clipboard",)):
            q = self.start(*args)
            self.assertEqual(q.exit_code(timeout=30), 1, args)
        self.assertIsNone(find_panel())

    def test_two_hundred_pokes_are_all_looked_up_without_growth(self):
        # Wine's error channels of the program and of the browser launcher it starts: a
        # launcher that fails after the shell said yes loses a page without the program knowing.
        errors = os.path.join(WORK, "pokes-errors.log")
        if os.path.exists(errors):
            os.remove(errors)
        q = self.start(env={"WINEDEBUG": "err+all,fixme-all"}, errors=errors)
        q.wait_visible()
        service = os.path.splitext(os.path.basename(EXE))[0]

        def poke_round(prefix):
            before = len(browser_log())
            self.assertEqual(helper("pokes", POKES // 2, prefix, service, timeout=300),
                             (0, str(POKES // 2)))
            if not wait_for(lambda: len(browser_log()) - before >= POKES // 2, 120,
                            fail=False):
                # Which ones, and what stood in front of the panel meanwhile.
                seen = {line.rsplit("/", 2)[-2] for line in browser_log()[before:]}
                missing = ["%s%d" % (prefix, i) for i in range(1, POKES // 2 + 1)
                           if "%s%d" % (prefix, i) not in seen]
                subprocess.run(["import", "-window", "root",
                                os.path.join(WORK, "pokes-failed.png")], check=False)
                with open(errors, errors="replace") as f:
                    said = f.read()[-3000:]
                self.fail("not looked up within 120 s: %s; in front: %s; Wine said: %s"
                          % (" ".join(missing[:20]), helper("foreground")[1], said))
            lines = browser_log()[before:]
            self.assertEqual(sorted(line.rsplit("/", 2)[-2] for line in lines),
                             sorted("%s%d" % (prefix, i) for i in range(1, POKES // 2 + 1)))

        def usage():
            handles, windows = map(int, helper("usage")[1].split())
            return {"handles": handles, "windows": windows, "rss_kib": resident_kib(q.proc.pid)}

        start = usage()
        poke_round("a")  # the first hundred: caches and pools fill up
        warm = usage()
        poke_round("b")
        end = usage()
        print("pokes: before %s, after 100 %s, after 200 %s" % (start, warm, end), flush=True)
        # The second hundred holds on to nothing more than the first left.
        self.assertGreater(start["handles"], 0)
        for key, slack in (("handles", 8), ("windows", 0)):
            self.assertLessEqual(end[key], warm[key] + slack, key)
        self.assertLess(end["rss_kib"] - warm["rss_kib"], 2048)
        # Still answering at once.
        self.assertEqual(helper("send", 0, 0)[0], 0)


# System DLLs that are no known DLLs, so Windows would look for them beside the program
# first; the program imports one of them (msimg32) in older builds. Not uxtheme or version:
# Wine's own system DLLs load those while the process starts, before any program code runs
# (which Windows does not do), so they say nothing about the program.
PLANTED = ("msimg32", "dwmapi", "winmm", "propsys", "cryptbase", "profapi", "userenv",
           "secur32", "iphlpapi", "dnsapi", "mswsock", "wsock32", "netapi32", "oleaut32",
           "riched20", "msftedit", "winspool", "wininet", "urlmon", "msctf", "comdlg32")


class PlantedDlls(QuiklexTest):
    def test_dlls_beside_the_program_are_never_loaded(self):
        folder = os.path.join(WORK, "planted")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        exe = os.path.join(folder, "quiklex.exe")
        shutil.copy(EXE, exe)
        for name in PLANTED:
            shutil.copy(os.path.join(BUILD, "qlxplanted.dll"), os.path.join(folder, name + ".dll"))
        # Wine prefers its own DLLs by default; as Windows does, take a DLL found on the search
        # path first, so that a load from the program's folder would happen.
        overrides = ";".join(os.environ.get("WINEDLLOVERRIDES", "").split(";") +
                             ["%s=n,b" % name for name in PLANTED])
        # A news message opens the messages window and its view.
        body = b'<definitions><message timestamp="1"><p>Nyt</p></message></definitions>'
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        q = self.start(exe=exe, env=dict(server.env, WINEDLLOVERRIDES=overrides))
        q.wait_visible()
        wait_for(lambda: helper("window", "TFormMessages")[0] == 0, 20, what="the messages window")
        helper("closewindow", "TFormMessages")
        wait_for(lambda: helper("window", "TFormMessages")[0] != 0, 10, what="it to close")
        # The lookup, the shell's open action, the tray menu, the drop target and the messages
        # window's view all load DLLs.
        before = len(browser_log())
        self.assertEqual(helper("poke", "hus", 1, "quiklex")[1], "ack")
        wait_for(lambda: len(browser_log()) > before, 10, what="a lookup")
        helper("post", 0, 517)
        wait_for(lambda: helper("menu")[0] == 0, 5, what="the tray menu")
        subprocess.run(["xdotool", "key", "Escape"], timeout=10)
        q.kill()
        self.assertEqual([f for f in os.listdir(folder) if f.endswith(".loaded")], [])
