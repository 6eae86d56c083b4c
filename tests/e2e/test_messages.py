"""News messages from the dictionary's server: the first unseen one opens the messages window
once, beside the panel, and the program remembers it; its links go to the browser, only web
addresses; a message runs nothing. Wine here has no HTML engine, so the built-in view shows
the messages."""
import os
import subprocess
import time

from harness import (PANEL_COLOUR, WORK, click_text_lines, QuiklexTest, browser_log, client, find_panel,
                     foreground_class, helper, settings_text, shown, wait_for, windows_path, xdo)
from test_definitions import DictionaryServer, ok_answer

MESSAGES = "TFormMessages"
DIALOG = "TMessageForm"




def document(*messages):
    """A definitions document with the given (timestamp, inner markup) messages."""
    body = b"".join(b'<message timestamp="%s">%s</message>' % (stamp.encode(), text.encode("cp1252"))
                    for stamp, text in messages)
    return b"<definitions>" + body + b"</definitions>"








def count(left, top, width, height, colour):
    return int(helper("count", left, top, width, height, colour)[1])


class Messages(QuiklexTest):
    def serve(self, body):
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        return server

    def open_window(self, body):
        server = self.serve(body)
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: shown(MESSAGES), 20, what="the messages window")
        wait_for(lambda: foreground_class() == MESSAGES, 10, what="the messages window in front")
        return server, q

    def test_first_unseen_message_opens_once_and_is_remembered(self):
        body = document(("2026-02-01", "<p>Anden besked</p>"),
                        ("2026-01-15", "<h1>Nyt fra Lemmary</h1><p>Der er <b>nye ord</b> i "
                                       "ordbogen: &aelig;&oslash;&aring;.</p>"))
        server, _ = self.open_window(body)
        left, top, width, height, caption = client(MESSAGES)
        subprocess.run(["import", "-window", "root", os.path.join(WORK, "messages.png")],
                       capture_output=True, timeout=30)
        # The smaller timestamp's message, with its references decoded.
        texts = helper("childtext", MESSAGES)[1]
        self.assertIn("Nyt fra Lemmary", texts)
        self.assertIn("ordbogen: \u00e6\u00f8\u00e5.", texts)
        self.assertNotIn("Anden", texts)
        # The text can be selected and copied.
        helper("clipboard", "tom")
        xdo("mousemove", left + 100, top + 120, "click", 1)
        xdo("key", "ctrl+a", "ctrl+c")
        wait_for(lambda: "nye ord" in helper("getclipboard")[1], 5, what="the copied text")

        # 539 wide and 366 high inside, unless the frame is so thin that the smallest window
        # height, 400, makes it higher.
        outer = helper("window", MESSAGES)[1].split()
        frame_height = int(outer[5]) - height
        self.assertEqual(caption, " Quiklex - meddelelse")
        self.assertEqual((width, height), (539, max(366, 400 - frame_height)))
        # Centred on the panel as far as the work area lets it.
        panel = find_panel()
        self.assertEqual(int(outer[3]), max(0, panel.top + (panel.height - int(outer[5])) // 2))

        # White above the bottom bar; the bar 28 high in the panel colour with the white OK.
        bar = top + height - 28
        self.assertEqual(helper("pixel", left + 3, top + 3)[1], "0xFFFFFF")
        self.assertEqual(helper("pixel", left + width - 4, bar - 3)[1], "0xFFFFFF")
        self.assertEqual(helper("pixel", left + 3, bar)[1], PANEL_COLOUR)
        self.assertEqual(helper("pixel", left + width - 3, top + height - 1)[1], PANEL_COLOUR)
        self.assertEqual(helper("pixel", left + 3, bar - 1)[1], "0xFFFFFF")
        self.assertGreater(count(left + 34, bar + 6, 45, 17, "FFFFFF"), 20)
        self.assertEqual(count(left + 34, bar + 6, 45, 17, "000000"), 0)

        # Esc closes it; about a second later the message is in the settings file.
        xdo("key", "Escape")
        wait_for(lambda: not shown(MESSAGES), 10, what="the window to close")
        closed = time.monotonic()
        wait_for(lambda: "[ShownMessages]" in settings_text(), 5, interval=0.05,
                 what="the shown messages")
        self.assertGreater(time.monotonic() - closed, 0.4)
        self.assertIn("[ShownMessages]\r\nm1=2026-01-15\r\n\r\n", settings_text())
        self.assertNotIn("2026-02-01", settings_text())

        # The next start with the same document shows the other message; the one after that
        # shows nothing.
        self.end_programs()
        self.start(env=server.env)
        wait_for(lambda: shown(MESSAGES), 20, what="the messages window")
        wait_for(lambda: "Anden besked" in helper("childtext", MESSAGES)[1], 5,
                 what="the other message")
        wait_for(lambda: foreground_class() == MESSAGES, 10, what="the messages window in front")
        xdo("key", "Escape")
        wait_for(lambda: "m2=2026-02-01" in settings_text(), 10, what="both shown")
        self.assertIn("[ShownMessages]\r\nm1=2026-01-15\r\nm2=2026-02-01\r\n", settings_text())
        self.end_programs()
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 3, 15, what="the third download")
        self.assertFalse(wait_for(lambda: shown(MESSAGES), 4, fail=False))

    def end_programs(self):
        for q in self.programs:
            q.kill()
        self.programs = []

    def test_only_web_links_open_and_in_the_browser(self):
        # One link a line: a script link, a file link, then a web link for a new window.
        body = document(("1", '<a href="javascript:alert(1)">Skriptlink her</a><br>'
                              '<a href="file:///c:/windows/win.ini">Fillink her</a><br>'
                              '<a href="http://127.0.0.1/nyhed" target="_blank">Weblink her</a>'))
        self.open_window(body)
        left, top, _, _, _ = client(MESSAGES)
        view_left, view_top = left + 8 + 7, top + 11 + 7
        before = len(browser_log())
        self.assertEqual(click_text_lines(view_left, view_top), 3)
        wait_for(lambda: len(browser_log()) > before, 10, what="the web link")
        time.sleep(1.0)
        self.assertEqual(browser_log()[before:], ["http://127.0.0.1/nyhed"])
        self.assertFalse(wait_for(lambda: helper("window", DIALOG)[0] == 0, 1, fail=False))
        # The links left the window open; its OK button closes it.
        self.assertTrue(shown(MESSAGES))
        _, _, _, height, _ = client(MESSAGES)
        xdo("mousemove", left + 34 + 22, top + height - 28 + 6 + 8, "click", 1)
        wait_for(lambda: not shown(MESSAGES), 10, what="the window to close")

    def test_a_script_in_a_message_runs_nothing(self):
        marker = os.path.join(WORK, "script-ran")
        body = document(("1", '<p>F\u00f8r</p><script>new ActiveXObject("WScript.Shell")'
                              '.Run("cmd /c echo x > %s")</script><p onmouseover="alert(1)">'
                              'Efter</p>' % (windows_path(WORK).replace("\\", "/") + "/script-ran")))
        self.open_window(body)
        texts = helper("childtext", MESSAGES)[1]
        self.assertIn("F\u00f8r", texts)
        self.assertIn("Efter", texts)
        self.assertNotIn("ActiveXObject", texts)
        left, top, width, height, _ = client(MESSAGES)
        xdo("mousemove", left + width // 2, top + height // 3)
        time.sleep(1.0)
        self.assertFalse(os.path.exists(marker))
        self.assertFalse(wait_for(lambda: helper("window", DIALOG)[0] == 0, 1, fail=False))


class EncodedMessages(QuiklexTest):
    def test_utf8_documents_show_their_letters_and_windows_1252_ones_stay_as_they_were(self):
        text = "<p>F\u00f8rste nyhed: \u0151 \u2192 \u20ac</p>"
        utf8 = text.encode("utf-8")
        cases = [
            ("declared", b'<?xml version="1.0" encoding="UTF-8"?>', utf8,
             "F\u00f8rste nyhed: \u0151 \u2192 \u20ac"),
            ("byte-order mark", b"\xef\xbb\xbf", utf8, "F\u00f8rste nyhed: \u0151 \u2192 \u20ac"),
            ("windows-1252", b'<?xml version="1.0" encoding="windows-1252"?>',
             "<p>F\u00f8rste nyhed: &#337; \u20ac</p>".encode("cp1252"),
             "F\u00f8rste nyhed: \u0151 \u20ac"),
        ]
        for number, (name, start, message, expected) in enumerate(cases, 1):
            with self.subTest(name):
                body = (start + b'<definitions><message timestamp="%d">' % number + message +
                        b"</message></definitions>")
                server = DictionaryServer(lambda i, body=body: (ok_answer(body), False))
                self.addCleanup(server.stop)
                q = self.start(env=server.env)
                q.wait_visible()
                wait_for(lambda: shown(MESSAGES), 20, what="the messages window")
                texts = wait_for(lambda: helper("childtext", MESSAGES)[1], 5, what="its text")
                if number == 1:
                    subprocess.run(["import", "-window", "root",
                                    os.path.join(WORK, "messages-utf8.png")],
                                   capture_output=True, timeout=30)
                self.assertIn(expected, texts)
                self.assertNotIn("\u00c3", texts)
                helper("closewindow", MESSAGES)
                wait_for(lambda: not shown(MESSAGES), 10, what="the window to close")
                for p in self.programs:
                    p.kill()
                self.programs = []


class FirstRunMessages(QuiklexTest):
    first_start = True

    def test_a_first_run_shows_no_message(self):
        body = document(("1", "<p>Velkommen</p>"))
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        self.start(env=server.env)
        wait_for(lambda: server.connections() >= 1, 20, what="the download")
        self.assertFalse(wait_for(lambda: shown(MESSAGES), 5, fail=False))
