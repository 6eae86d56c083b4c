"""The Linux program end to end: its panel, its menus and its end, every route to a lookup,
the hand-over of a second start, the shortcut's keeper, the definitions download and a failing
browser."""
import os
import re
import subprocess
import time

from linux_harness import (LinuxTest, geometry, pixels, run, screen_size, set_clipboard, wait_for,
                     windows)
from addresses import CLIPBOARD_ADDRESSES
from test_definitions import DictionaryServer, ok_answer

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                       "CMakeLists.txt"), encoding="utf-8") as _f:
    VERSION = re.search(r"project\(quiklex VERSION ([0-9.]+)", _f.read()).group(1)

LOOKUP = "http://www.lemmary.dk/#ordbog/"
KNOWN = "[Settings]\nPrgVersion=%s\n" % VERSION


def hover(x, y):
    """Into the panel from outside, so that the program sees the mouse arrive."""
    run("xdotool", "mousemove", "5", "700")
    time.sleep(0.2)
    run("xdotool", "mousemove", str(x - 3), str(y))
    time.sleep(0.2)
    run("xdotool", "mousemove", str(x), str(y))
    time.sleep(0.4)


def open_panel_menu(panel):
    """Clicks the panel's menu button; the menu's place and size."""
    x, y, _, _ = geometry(panel)
    hover(x + 27, y + 15)
    run("xdotool", "click", "1")
    menu = wait_for(lambda: [m for m in windows("") if m != panel and 60 < geometry(m)[3] < 400
                             and geometry(m)[2] < 400], 5, what="the panel menu")[0]
    return geometry(menu)


class Program(LinuxTest):
    def test_panel_buttons_menu_and_the_end(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        panel = q.panel()
        width, _ = screen_size()
        x, y, w, h = geometry(panel)
        self.assertEqual((w, h), (82, 32))
        self.assertEqual((x, y), (width - 2 * 82, 0))  # from a settings file without a place
        state = lambda: run("xprop", "-id", str(panel), "_NET_WM_STATE").stdout
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in state() and "SKIP_TASKBAR" in state(), 5,
                 what="above other windows and out of the taskbar")

        logo = pixels(x, y, w, h)
        hover(x + 27, y + 15)
        self.assertNotEqual(pixels(x, y, w, h), logo, "the buttons show under the mouse")

        mx, my, mw, mh = open_panel_menu(panel)
        # "Afslut", the last item.
        run("xdotool", "mousemove", str(mx + 30), str(my + mh - 10), "click", "1")
        self.assertEqual(q.process.wait(10), 0)
        with open(q.settings_file, encoding="utf-8") as f:
            saved = f.read()
        for line in ("FromTop=0", "FromRight=82", "Hotkey=Shift+Ctrl+C", "AlwaysOnTop=1",
                     "PrgVersion=" + VERSION, "LookupModern=" + LOOKUP):
            self.assertIn(line + "\n", saved)

    def test_dragging_stays_on_the_screen_and_the_place_is_kept(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        panel = q.panel()
        width, height = screen_size()
        x, y, _, _ = geometry(panel)
        # Taken by its edge (not a button) and pulled far beyond the bottom left corner.
        hover(x + 3, y + 3)
        run("xdotool", "mousedown", "1")
        for step in range(1, 61):  # a step that would leave the screen is not taken
            run("xdotool", "mousemove", str(x + 3 - (x + 200) * step // 60),
                str(y + 3 + (height + 200) * step // 60))
            time.sleep(0.02)
        run("xdotool", "mouseup", "1")
        time.sleep(0.5)
        px, py, pw, ph = geometry(panel)
        self.assertTrue(0 <= px < 40 and 0 <= height - (py + ph) < 40, (px, py))

        mx, my, _, mh = open_panel_menu(panel)
        run("xdotool", "mousemove", str(mx + 30), str(my + mh - 10), "click", "1")  # "Afslut"
        self.assertEqual(q.process.wait(10), 0)
        q2 = self.quiklex().start()
        self.assertEqual(geometry(q2.panel())[:2], (px, py))

    def test_every_route_opens_the_exact_address(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        panel = q.panel()
        expected = []

        set_clipboard("  Blåbær\n")
        run("xdotool", "key", "ctrl+shift+c")
        expected.append(LOOKUP + "Bl%C3%A5b%C3%A6r/")
        self.assertEqual(q.wait_opened(len(expected)), expected)

        set_clipboard("stol")
        self.assertEqual(q.second("--clipboard"), 0)
        self.assertEqual(q.second("-clipboard"), 0)
        expected += [LOOKUP + "stol/"] * 2
        self.assertEqual(q.wait_opened(len(expected)), expected)

        self.assertEqual(q.call("LookUp", "hund og kat\nanden linje").returncode, 0)
        expected.append(LOOKUP + "hund%20og%20kat/")
        self.assertEqual(q.wait_opened(len(expected)), expected)

        x, y, _, _ = geometry(panel)
        hover(x + 60, y + 15)
        run("xdotool", "click", "1")  # the open button: the bare lookup page
        expected.append(LOOKUP)
        self.assertEqual(q.wait_opened(len(expected)), expected)
        self.assertTrue(q.running())

    def test_the_clipboard_gives_the_same_addresses_as_on_windows(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        q.panel()
        expected = []
        for text, address in CLIPBOARD_ADDRESSES:
            set_clipboard(text)
            time.sleep(0.2)
            run("xdotool", "key", "ctrl+shift+c")
            expected.append(LOOKUP + address)
            self.assertEqual(q.wait_opened(len(expected)), expected, text)
            time.sleep(0.3)  # a new press, not a held key's repeat

    def test_text_dropped_on_the_panel_is_looked_up(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        x, y, _, _ = geometry(q.panel())
        source = subprocess.Popen([os.path.join(os.path.dirname(q.process.args[0]), "qlxdrag"),
                                   "Rødgrød med fløde"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        try:
            sx, sy, sw, sh = geometry(wait_for(lambda: windows("^qlxdrag$"), 10,
                                               what="the drag source")[0])
            run("xdotool", "mousemove", str(sx + sw // 2), str(sy + sh // 2), "mousedown", "1")
            for step in range(1, 11):  # along the way, as a hand would
                run("xdotool", "mousemove", str(sx + (x + 40 - sx) * step // 10),
                    str(sy + (y + 15 - sy) * step // 10))
                time.sleep(0.05)
            time.sleep(0.3)
            run("xdotool", "mouseup", "1")
            self.assertEqual(q.wait_opened(1), [LOOKUP + "R%C3%B8dgr%C3%B8d%20med%20fl%C3%B8de/"])
        finally:
            source.kill()
            source.wait(5)

    def test_a_second_start_without_a_program_looks_up_itself_and_a_plain_one_shows_the_panel(self):
        self.settings(KNOWN)
        set_clipboard("hus")
        q = self.quiklex("--clipboard").start()
        self.assertEqual(q.wait_opened(1), [LOOKUP + "hus/"])
        mx, my, _, _ = open_panel_menu(q.panel())  # then "Skjul panel"
        run("xdotool", "mousemove", str(mx + 30), str(my + 10), "click", "1")
        wait_for(lambda: not windows(), 5, what="the panel hidden")
        self.assertEqual(q.second(), 0)
        wait_for(windows, 5, what="the panel shown again")

    def test_the_shortcut_keeper_heals_once_another_client_lets_go(self):
        self.settings(KNOWN)
        # Another program holds Ctrl+Shift+C: here a second Quiklex on a bus of its own.
        other_home = os.path.join(self.home, "other")
        os.makedirs(other_home)
        holder = self.quiklex(home=other_home)
        bus = subprocess.Popen(["dbus-daemon", "--session", "--print-address", "--nofork"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        try:
            holder.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
            holder.start()
            holder.panel()
            time.sleep(1.0)
            q = self.quiklex().start()
            wait_for(lambda: len(windows()) >= 2, 10, what="both panels")
            time.sleep(1.0)
            set_clipboard("bil")
            run("xdotool", "key", "ctrl+shift+c")
            time.sleep(1.0)
            self.assertEqual(q.opened(), [], "the holder had the shortcut")
            holder.stop()
            time.sleep(4.5)  # the quiet retries come every 2 s
            run("xdotool", "key", "ctrl+shift+c")
            self.assertEqual(q.wait_opened(1), [LOOKUP + "bil/"])
        finally:
            bus.kill()
            bus.wait(5)

    def test_a_definitions_document_changes_the_templates(self):
        self.settings(KNOWN)
        page = b"http://nyt.lemmary.dk/ordbog?q="
        body = (b'<?xml version="1.0" encoding="windows-1252"?>\r\n<definitions>'
                b'<link name="lookup" modern="' + page + b'" gcf="gcf:' + page +
                b'"/></definitions>')
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        try:
            q = self.quiklex(env=server.env).start()
            q.panel()
            wait_for(lambda: server.connections() >= 1, 10, what="the download")
            time.sleep(1.0)
            self.assertEqual(q.call("LookUp", "sol").returncode, 0)
            self.assertEqual(q.wait_opened(1), [page.decode() + "sol/"])
        finally:
            server.stop()

    def test_a_failing_browser_shows_the_failure_text(self):
        self.settings(KNOWN)
        q = self.quiklex(browser=False).start()
        panel = q.panel()
        self.assertEqual(q.call("LookUp", "sol").returncode, 0)
        dialog = wait_for(lambda: [w for w in windows() if w != panel], 10,
                          what="the failure dialog")[0]
        self.assertGreater(geometry(dialog)[2], 150)
        run("xdotool", "windowactivate", "--sync", str(dialog))
        run("xdotool", "key", "Return")
        wait_for(lambda: windows() == [panel], 5, what="the dialog closed")
        self.assertTrue(q.running())


def client_origin(window):
    x, y, _, _ = geometry(window)
    return x, y


def open_settings(panel):
    mx, my, _, _ = open_panel_menu(panel)
    run("xdotool", "mousemove", str(mx + 30), str(my + 56), "click", "1")  # "Indstillinger"
    return wait_for(lambda: windows("^Om programmet$"), 10, what="the settings window")[0]


def tray_menu(q, item):
    """The tray icon's menu as the desktop sees it: (item id by label, the call for an item)."""
    service, path = item
    layout = run("gdbus", "call", "--session", "--dest", service, "--object-path", "/MenuBar",
                 "--method", "com.canonical.dbusmenu.GetLayout", "--", "0", "-1", "[]",
                 env=q.env).stdout
    ids = {label: int(i) for i, label in
           re.findall(r"\((\d+), \{[^}]*'label': <'([^']*)'>", layout)}

    def click(label):
        return run("gdbus", "call", "--session", "--dest", service, "--object-path", "/MenuBar",
                   "--method", "com.canonical.dbusmenu.Event", "--", str(ids[label]), "clicked",
                   "<0>", "0", env=q.env)
    return ids, click


class Tray(LinuxTest):
    def test_the_tray_icon_shows_its_menu_and_ends_the_program(self):
        self.settings(KNOWN)
        # The desktop's tray host, as a StatusNotifierWatcher on the session bus.
        watcher = subprocess.Popen(["/usr/bin/python3", os.path.join(os.path.dirname(
            os.path.abspath(__file__)), "helper", "sniwatcher.py")], stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(watcher.kill)
        self.assertEqual(watcher.stdout.readline().strip(), "ready")
        q = self.quiklex().start()
        q.panel()
        item = watcher.stdout.readline().split()
        tip = run("gdbus", "call", "--session", "--dest", item[0], "--object-path", item[1],
                  "--method", "org.freedesktop.DBus.Properties.Get",
                  "org.kde.StatusNotifierItem", "ToolTip", env=q.env).stdout
        self.assertIn("Quiklex \u2013 Ctrl+Shift+C", tip)
        ids, click = tray_menu(q, item)
        self.assertEqual(list(ids), ["Vis panel", "Skjul panel", "Vis altid \u00f8verst",
                                     "Indstillinger", "Information p\u00e5 web", "Afslut"])
        click("Skjul panel")
        wait_for(lambda: not windows(), 5, what="the panel hidden")
        run("gdbus", "call", "--session", "--dest", item[0], "--object-path", item[1],
            "--method", "org.kde.StatusNotifierItem.Activate", "0", "0", env=q.env)
        wait_for(windows, 5, what="a click on the icon showing the panel")
        click("Afslut")
        self.assertEqual(q.process.wait(10), 0)


class Windows(LinuxTest):
    def test_the_settings_window_saves_the_shortcut_and_the_automatic_start(self):
        self.settings(KNOWN)
        q = self.quiklex().start()
        panel = q.panel()
        autostart = os.path.join(self.home, ".config", "autostart", "dk.lemmary.Quiklex.desktop")

        window = open_settings(panel)
        x, y = client_origin(window)
        run("xdotool", "mousemove", str(x + 180), str(y + 241), "click", "1")  # the field
        run("xdotool", "key", "ctrl+alt+k")
        run("xdotool", "mousemove", str(x + 80), str(y + 168), "click", "1")  # automatic start
        run("xdotool", "mousemove", str(x + 45), str(y + 276), "click", "1")  # OK
        wait_for(lambda: not windows("^Om programmet$"), 10, what="the window closed")
        wait_for(lambda: "Hotkey=Ctrl+Alt+K\n" in open(q.settings_file, encoding="utf-8").read(),
                 5, what="the settings saved")
        with open(autostart, encoding="utf-8") as f:
            self.assertIn('Exec="%s" -auto\n' % os.path.realpath(q.process.args[0]), f.read())

        set_clipboard("lampe")
        run("xdotool", "key", "ctrl+alt+k")
        self.assertEqual(q.wait_opened(1), [LOOKUP + "lampe/"])

        # From the keyboard: out of the shortcut field (which takes Alt+P as a shortcut), Alt+P
        # is "Automatisk programstart", Enter is OK.
        window = open_settings(panel)
        run("xdotool", "windowactivate", "--sync", str(window))
        run("xdotool", "key", "Tab", "alt+p")
        time.sleep(0.3)
        run("xdotool", "key", "Return")  # after a change, the window asks: "Ja" is the default
        question = wait_for(lambda: windows("^$"), 10, what="the question")[0]
        run("xdotool", "windowactivate", "--sync", str(question), "key", "Return")
        wait_for(lambda: not os.path.exists(autostart), 10, what="the autostart file removed")

    def test_a_message_loads_nothing_and_only_its_web_link_opens(self):
        self.settings(KNOWN)
        fetched = DictionaryServer(lambda i: None)  # an image or a style sheet would come here
        self.addCleanup(fetched.stop)
        base = "http://127.0.0.1:%d" % fetched.port
        body = (b'<definitions><message timestamp="1"><p>Nyt fra Lemmary '
                b'<img src="' + base.encode() + b'/billede.png"></p>'
                b'<a href="javascript:alert(1)">Skriptlink</a><br>'
                b'<a href="file:///etc/passwd">Fillink</a><br>'
                b'<a href="http://127.0.0.1/nyhed">Weblink</a></message></definitions>')
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        q = self.quiklex(env=server.env).start()
        q.panel()
        window = wait_for(lambda: windows("meddelelse"), 20, what="the messages window")[0]
        x, y = client_origin(window)
        run("xdotool", "mousemove", str(x + 200), str(y + 30), "click", "1")  # into the view
        for _ in range(3):  # each link in turn, from the keyboard
            run("xdotool", "key", "Tab", "Return")
            time.sleep(0.3)
        wait_for(lambda: q.opened(), 10, what="the web link")
        time.sleep(1.0)
        self.assertEqual(q.opened(), ["http://127.0.0.1/nyhed"])
        self.assertEqual(fetched.connections(), 0)
        run("xdotool", "key", "Escape")
        wait_for(lambda: not windows("meddelelse"), 10, what="the window closed")
        self.assertTrue(q.running())
