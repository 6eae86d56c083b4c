"""The Linux program as a screen reader meets it: the accessibility bus switched on the way a
reader switches it on, and a real AT-SPI client (Debian's pyatspi, under the system's python3)
that reads the windows' names, roles and states, acts through their actions and hears focus
and state changes.

Run as a script, the file is that client (--client ...), or prints the tree it reads with the
panel, the settings window and a message dialog open (--print-tree; needs DISPLAY and a session
bus, as the suite does)."""
import json
import os
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CLIENT = ["/usr/bin/python3", os.path.abspath(__file__), "--client"]
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


# The client, in its own process: pyatspi holds one connection to the accessibility bus and
# hears events only while its main loop runs.

def client_main(args):
    import pyatspi

    def node(acc):
        try:
            action = acc.queryAction()
            actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            actions = []
        return {"name": acc.name, "role": acc.getRoleName(), "description": acc.description,
                "states": sorted(pyatspi.stateToString(s) for s in acc.getState().getStates()),
                "actions": actions, "children": [node(c) for c in acc if c is not None]}

    def program():
        desktop = pyatspi.Registry.getDesktop(0)
        return [a for a in desktop if a is not None and a.name == "Quiklex"]

    def find(acc, name, role):
        if acc.name == name and (not role or acc.getRoleName() == role):
            return acc
        for c in acc:
            found = c is not None and find(c, name, role)
            if found:
                return found
        return None

    if args[0] == "tree":
        print(json.dumps([node(a) for a in program()]))
    elif args[0] == "do":  # do NAME ROLE ACTION: the first such object's action
        name, role, wanted = args[1:4]
        for app in program():
            acc = find(app, name, role)
            if acc:
                action = acc.queryAction()
                for i in range(action.nActions):
                    if action.getName(i) == wanted:
                        print(json.dumps(action.doAction(i)))
                        return 0
        print(json.dumps(None))
    elif args[0] == "events":  # focus and check-mark changes until stdin closes
        from gi.repository import GLib

        def heard(event):
            print(json.dumps({"type": event.type, "detail": event.detail1,
                              "name": event.source.name, "role": event.source.getRoleName()}),
                  flush=True)
        pyatspi.Registry.registerEventListener(heard, "focus:", "object:state-changed:focused",
                                               "object:state-changed:checked")
        GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT,
                          GLib.IOCondition.HUP | GLib.IOCondition.IN,
                          lambda *_: pyatspi.Registry.stop() or False)
        print("ready", flush=True)
        pyatspi.Registry.start()
    return 0


def render(nodes, depth=0):
    """The tree as lines: name, role, states and actions, indented by depth."""
    lines = []
    for n in nodes:
        line = "  " * depth + "%r [%s] {%s}" % (n["name"], n["role"], " ".join(n["states"]))
        if n["actions"]:
            line += " actions=" + ",".join(n["actions"])
        if n["description"]:
            line += " description=%r" % n["description"]
        lines.append(line)
        lines += render(n["children"], depth + 1)
    return lines


if __name__ == "__main__" and sys.argv[1:2] == ["--client"]:
    sys.exit(client_main(sys.argv[2:]))

sys.path.insert(0, HERE)
from linux_harness import LinuxTest, geometry, run, wait_for, windows  # noqa: E402
from test_definitions import DictionaryServer, ok_answer  # noqa: E402
from test_program import KNOWN, LOOKUP  # noqa: E402


def client(*args):
    out = subprocess.run(CLIENT + list(args), capture_output=True, text=True, timeout=30)
    if out.returncode != 0:
        raise AssertionError("the client failed: " + out.stderr[-2000:])
    return json.loads(out.stdout)


def tree():
    return client("tree")


def flat(nodes, out=None):
    """Every object, depth first, as (name, role) -> node (the first of each)."""
    out = {} if out is None else out
    for n in nodes:
        out.setdefault((n["name"], n["role"]), n)
        flat(n["children"], out)
    return out


def window(role, name=None):
    """The program's top-level object of a role (and name), once it is there."""
    def find():
        for app in tree():
            for w in app["children"]:
                if w["role"] == role and (name is None or w["name"] == name) and \
                        "visible" in w["states"]:
                    return w
        return None
    return wait_for(find, 10, what="a %s %s" % (role, name or ""))


class Events:
    """A client listening for focus and check-mark changes."""

    def __init__(self):
        self.process = subprocess.Popen(CLIENT + ["events"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True)
        assert self.process.stdout.readline().strip() == "ready"
        # The program learns of a new listener from the registry, not at once.
        time.sleep(1.5)

    def stop(self):
        """Ends the listening; what was heard."""
        self.process.stdin.close()
        out = self.process.stdout.read()
        self.process.wait(10)
        return [json.loads(line) for line in out.splitlines() if line.strip()]


class AccessibilityBus:
    """The accessibility bus on the test run's session bus, switched on as a reader does it
    (org.a11y.Status IsEnabled), with the settings it writes kept in memory."""

    def __init__(self):
        env = dict(os.environ, GSETTINGS_BACKEND="memory")
        self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: run("gdbus", "call", "--session", "--dest", "org.a11y.Bus",
                             "--object-path", "/org/a11y/bus", "--method",
                             "org.a11y.Bus.GetAddress").returncode == 0, 10,
                 what="the accessibility bus")
        self.switch(True)

    @staticmethod
    def switch(on):
        run("gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
            "/org/a11y/bus", "--method", "org.freedesktop.DBus.Properties.Set",
            "org.a11y.Status", "IsEnabled", "<%s>" % ("true" if on else "false"))

    def stop(self):
        self.switch(False)
        self.launcher.terminate()
        self.launcher.wait(10)


def expect_objects(test, nodes, table):
    """Each (name, role, states present, states absent, actions) row is an object in nodes."""
    objects = flat(nodes)
    for name, role, present, absent, actions in table:
        with test.subTest(name=name, role=role):
            n = objects.get((name, role))
            test.assertIsNotNone(n, "no %s %r in %s" % (role, name, sorted(objects)))
            test.assertLessEqual(set(present), set(n["states"]))
            test.assertFalse(set(absent) & set(n["states"]))
            test.assertEqual(n["actions"][:len(actions)], actions)


PANEL = [
    ("Quiklex", "panel", ["focusable", "visible", "showing"], [], []),
    ("Menu", "push button", ["sensitive", "visible"], [], ["Press"]),
    ("\u00c5bn ordbogen", "push button", ["sensitive", "visible"], [], ["Press"]),
]
SETTINGS = [
    ("Om programmet", "dialog", ["visible"], [], []),
    ("Altid over andre vinduer", "check box", ["checked", "focusable", "sensitive"], [],
     ["Toggle"]),
    ("Automatisk programstart", "check box", ["focusable", "sensitive"], ["checked"],
     ["Toggle"]),
    ("Start skjult", "check box", ["visible"], ["sensitive", "checked"], []),
    ("Offline i \u00e6ldre Internet Explorer (version 7, 8 el. 9)", "check box", [],
     ["visible", "showing"], []),
    ("Tastaturgenvej", "text", ["focusable"], [], []),
    ("OK", "push button", ["focusable", "sensitive"], [], ["Press"]),
    ("Annuller", "push button", ["focusable", "sensitive"], [], ["Press"]),
]


class Access(LinuxTest):
    @classmethod
    def setUpClass(cls):
        cls.bus = AccessibilityBus()

    @classmethod
    def tearDownClass(cls):
        cls.bus.stop()

    def start(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        q.panel()
        wait_for(lambda: window("panel", "Quiklex"), 10, what="the panel on the bus")
        return q

    def open_settings(self):
        """The panel's menu button pressed through the client, then the menu's "Indstillinger"
        (Qt leaves its pop-up menus out of the tree: readers follow their focus)."""
        panel = windows()[0]
        self.assertTrue(client("do", "Menu", "push button", "Press"))
        menu = wait_for(lambda: [m for m in windows("") if m != panel and
                                 60 < geometry(m)[3] < 400 and geometry(m)[2] < 400], 5,
                        what="the panel menu")[0]
        mx, my, _, _ = geometry(menu)
        run("xdotool", "mousemove", str(mx + 30), str(my + 56), "click", "1")
        return window("dialog", "Om programmet")

    def test_the_panel_reads_and_its_open_button_acts(self):
        q = self.start()
        expect_objects(self, tree(), PANEL)
        self.assertTrue(client("do", "\u00c5bn ordbogen", "push button", "Press"))
        self.assertEqual(q.wait_opened(1), [LOOKUP])

    def test_the_settings_window_reads_toggles_and_saves_through_the_reader(self):
        q = self.start()
        expect_objects(self, [self.open_settings()], SETTINGS)

        events = Events()
        client("do", "Altid over andre vinduer", "check box", "Toggle")
        wait_for(lambda: "checked" not in flat([window("dialog", "Om programmet")])[
            ("Altid over andre vinduer", "check box")]["states"], 10, what="the mark gone")
        heard = events.stop()
        self.assertIn({"type": "object:state-changed:checked", "detail": 0,
                       "name": "Altid over andre vinduer", "role": "check box"}, heard)

        # Closing with a change asks first; the question is read out as the dialog's text.
        run("xdotool", "key", "Escape")
        question = window("dialog", "")
        self.assertEqual(question["description"], "Vil du gemme \u00e6ndringerne?")
        expect_objects(self, [question], [
            ("Vil du gemme \u00e6ndringerne?", "label", ["visible"], [], []),
            ("Ja", "push button", ["focusable"], [], ["Press"]),
            ("Nej", "push button", ["focusable"], [], ["Press"]),
        ])
        client("do", "Ja", "push button", "Press")
        wait_for(lambda: not windows("^Om programmet$"), 10, what="the window closed")
        wait_for(lambda: "AlwaysOnTop=0\n" in open(q.settings_file, encoding="utf-8").read(), 10,
                 what="the change saved")

    def test_tab_announces_the_focus(self):
        self.start()
        self.open_settings()
        run("xdotool", "windowactivate", "--sync", str(windows("^Om programmet$")[0]))
        focused = lambda: [n for n in flat(tree()).values() if "focused" in n["states"]]
        before = wait_for(focused, 10, what="a focused control")[0]
        events = Events()
        run("xdotool", "key", "Tab")
        after = wait_for(lambda: [n for n in focused() if n["name"] != before["name"]], 10,
                         what="the focus moved")[0]
        heard = events.stop()
        self.assertIn({"type": "object:state-changed:focused", "detail": 1,
                       "name": after["name"], "role": after["role"]}, heard)
        self.assertTrue([e for e in heard if e["type"].startswith("focus")
                         and e["name"] == after["name"]], heard)

    def test_the_messages_window_reads_and_closes_through_the_reader(self):
        self.settings(KNOWN)
        body = b'<definitions><message timestamp="1"><p>Nyt fra Lemmary</p></message></definitions>'
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        q = self.quiklex(env=server.env).start()
        messages = window("dialog", " Quiklex - meddelelse")
        expect_objects(self, [messages], [
            ("", "label", ["focusable", "multi line", "read only"], [], []),  # the view
            ("OK", "push button", ["focusable", "sensitive"], [], ["Press"]),
        ])
        self.assertTrue(client("do", "OK", "push button", "Press"))
        wait_for(lambda: not windows("meddelelse"), 10, what="the window closed")
        self.assertTrue(q.running())


def print_tree():
    """The tree with the panel, the settings window and its question open."""
    test = Access("test_the_panel_reads_and_its_open_button_acts")
    Access.setUpClass()
    test.setUp()
    try:
        test.start()
        test.open_settings()
        client("do", "Altid over andre vinduer", "check box", "Toggle")
        run("xdotool", "key", "Escape")
        window("dialog", "")
        print("\n".join(render(tree())))
        client("do", "Annuller", "push button", "Press")
    finally:
        test.tearDown()
        Access.tearDownClass()


if __name__ == "__main__" and sys.argv[1:2] == ["--print-tree"]:
    print_tree()
