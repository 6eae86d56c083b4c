"""The soak run behind tests/soak/soak.sh: one Quiklex process under Wine for N minutes, in a
bounded loop against local addresses only. Each round looks a new word up by the shortcut, by a
second start with -clipboard, by a DDE poke and by a drop, and opens and closes the settings
window and the message dialog. The definitions server on loopback fails the first download,
stalls the second (until the program's own time-out) and answers the third; the program asks
only while it starts, so later connections (none are expected) get the same cycle.

Every minute: the program's kernel handles, windows, GDI and USER objects (where Wine counts
them), resident memory, how long it took to answer the program's registered message, lookups
sent and lookups that reached the browser stand-in. Ends with a summary line."""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "e2e"))

import harness  # noqa: E402
from harness import (HELPER, Quiklex, browser_log, clear_settings, copy_text, end_all,  # noqa: E402
                     find_panel, foreground_class, helper, shown, start_second, wait_for, xdo)
from run import install_browser_stand_in, keep_desktop  # noqa: E402
from test_definitions import DictionaryServer, ok_answer  # noqa: E402

LOOKUP = "http://www.lemmary.dk/#ordbog/"
DOCUMENT = (b'<?xml version="1.0" encoding="windows-1252"?>\r\n<definitions>'
            b'<link name="programpage" modern="http://www.lemmary.dk/quiklex-soak" '
            b'gcf="gcf:http://www.lemmary.dk/quiklex-soak"/></definitions>')
# Growth after the fifth minute that the summary still calls flat: a few handles and a little
# memory come and go with Wine's own caches.
TOLERANCE = {"handles": 10, "windows": 2, "gdi": 20, "user": 10, "rss_kb": 4096}


def server_answer(index):
    """Connection by connection: fail (closed without an answer), stall (nothing sent, the
    connection kept open), answer; then again."""
    step = index % 3
    if step == 0:
        return None
    if step == 1:
        return b"", True
    return ok_answer(DOCUMENT), False


def resident_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return -1


def lookup_reached(word, timeout=10):
    address = LOOKUP + word + "/"
    return wait_for(lambda: address in browser_log(), timeout, interval=0.2, fail=False)


def by_shortcut(word):
    copy_text(word)
    helper("send", 0, 0)
    wait_for(lambda: foreground_class() == "TFormMain", 5, what="the panel focused")
    xdo("key", "ctrl+shift+c")


def by_second_start(word):
    copy_text(word)
    start_second("-clipboard")


def by_poke(word):
    code, out = helper("poke", word, 1, "quiklex")
    if out != "ack":
        raise AssertionError("poke: " + out)


def by_drop(word):
    source = subprocess.Popen(["wine", HELPER, "drag", word], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    try:
        if source.stdout.readline().strip() != "ready":
            raise AssertionError("no drag source")
        wait_for(lambda: foreground_class() == "QlxDragSource", 10, what="the drag source")
        panel = find_panel()
        xdo("mousemove", 400, 350, "mousedown", 1)
        time.sleep(0.3)
        target = (panel.left + panel.width // 2, panel.top + panel.height // 2)
        for step in range(1, 9):
            xdo("mousemove", 400 + (target[0] - 400) * step // 8,
                350 + (target[1] - 350) * step // 8)
            time.sleep(0.1)
        time.sleep(0.3)
        xdo("mouseup", 1)
        source.communicate(timeout=20)
    finally:
        if source.poll() is None:
            source.kill()
        xdo("mousemove", 10, 700)  # away from the panel


def open_and_close(wparam, lparam, window_class):
    """Opens one of the program's windows by its internal command and closes it again with
    its close button's message."""
    helper("post", wparam, lparam)
    wait_for(lambda: shown(window_class), 10, what=window_class)
    time.sleep(0.3)
    helper("closewindow", window_class)
    if not wait_for(lambda: not shown(window_class), 5, fail=False):
        helper("send", 0, 0)
        xdo("key", "Escape")
        wait_for(lambda: not shown(window_class), 5, what=window_class + " to close")


WAYS = (("shortcut", by_shortcut), ("second start", by_second_start), ("poke", by_poke),
        ("drop", by_drop))


def sample(q):
    code, out = helper("resources")
    handles, windows, gdi, user = (list(map(int, out.split())) + [-1] * 4)[:4] if code == 0 \
        else (-1, -1, -1, -1)
    code, ping = helper("ping", timeout=30)
    answer = float(ping) if code == 0 else None
    return {"handles": handles, "windows": windows, "gdi": gdi, "user": user,
            "rss_kb": resident_kb(q.proc.pid), "answer_ms": answer}


def shown_figure(value):
    return "n/a" if value is None or value < 0 else str(value)


def main():
    minutes = int(sys.argv[1]) if len(sys.argv) > 1 else 30
    install_browser_stand_in()
    keeper = keep_desktop()
    server = DictionaryServer(server_answer)
    try:
        return soak(minutes, server)
    finally:
        server.stop()
        end_all()
        keeper.kill()


def soak(minutes, server):
    harness.warm_up()
    end_all()
    clear_settings()
    q = Quiklex(env=server.env)
    q.wait_visible(60)
    started = time.monotonic()
    end = started + minutes * 60
    sent, reached, failures, samples, done = [], 0, {}, [], {}
    next_sample = started + 60
    round_no = 0
    print("soak: %d minutes; a line a minute" % minutes, flush=True)
    # Bounded: one round takes at least a few seconds, so the loop ends by the clock.
    while time.monotonic() < end and round_no < minutes * 60:
        round_no += 1
        steps = [(name, (lambda f=f, w="soak%d%s" % (round_no, name[0]): (f(w), w)))
                 for name, f in WAYS]
        steps += [("settings window", lambda: (open_and_close(2, 5, "TFormSettings"), None)),
                  ("message dialog", lambda: (open_and_close(0, 3, "TMessageForm"), None))]
        for name, step in steps:
            if time.monotonic() >= end:
                break
            try:
                _, word = step()
                done[name] = done.get(name, 0) + 1
                if word:
                    sent.append(word)
                    if lookup_reached(word):
                        reached += 1
                    else:
                        failures[name + " (not looked up)"] = \
                            failures.get(name + " (not looked up)", 0) + 1
            except Exception as e:  # noqa: BLE001 - counted and reported, the run goes on
                failures[name] = failures.get(name, 0) + 1
                print("  %s failed: %s" % (name, e), flush=True)
                helper("send", 0, 0)
            if not q.running():
                print("soak: the program ended during the run", flush=True)
                break
            if time.monotonic() >= next_sample:
                s = sample(q)
                samples.append(s)
                print("minute %2d: handles %s windows %s gdi %s user %s rss %s kB answer %s ms "
                      "lookups sent %d reached %d downloads %d" % (
                          len(samples), shown_figure(s["handles"]), shown_figure(s["windows"]),
                          shown_figure(s["gdi"]), shown_figure(s["user"]),
                          shown_figure(s["rss_kb"]),
                          "hung" if s["answer_ms"] is None else "%.1f" % s["answer_ms"],
                          len(sent), reached, server.connections()), flush=True)
                next_sample += 60
        if not q.running():
            break
    if q.running() and len(samples) < minutes:
        samples.append(sample(q))

    # Every lookup once more, now that the last ones have had time to arrive.
    log = set(browser_log())
    reached = sum(1 for w in sent if LOOKUP + w + "/" in log)
    return summary(q, sent, reached, failures, samples, server, done)


def summary(q, sent, reached, failures, samples, server, done):
    ok = q.running() and reached == len(sent) and not failures
    first, last = (samples[0], samples[-1]) if samples else ({}, {})
    fifth = samples[4] if len(samples) >= 5 else last
    grew = [k for k in TOLERANCE
            if fifth.get(k, -1) >= 0 and last.get(k, -1) - fifth[k] > TOLERANCE[k]]
    hung = [i + 1 for i, s in enumerate(samples) if s["answer_ms"] is None
            or s["answer_ms"] >= 1000]
    ok = ok and not grew and not hung

    def figures(key):
        return "/".join(shown_figure(s.get(key)) for s in (first, fifth, last))

    print("soak: done %s" % ", ".join("%s %d" % kv for kv in done.items()), flush=True)
    print("soak: %s; %d minutes sampled; lookups sent %d reached %d; failures %s; "
          "first/fifth/last minute: handles %s, windows %s, gdi %s, user %s, rss kB %s; "
          "slowest answer %s ms%s; grew after minute 5: %s; downloads %d" % (
              "PASS" if ok else "FAIL", len(samples), len(sent), reached,
              ", ".join("%s %d" % kv for kv in failures.items()) or "none",
              figures("handles"), figures("windows"), figures("gdi"), figures("user"),
              figures("rss_kb"),
              "%.1f" % max((s["answer_ms"] for s in samples if s["answer_ms"] is not None),
                           default=0.0),
              " (no answer within a second at minutes %s)" % hung if hung else "",
              ", ".join(grew) or "nothing", server.connections()), flush=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
