"""The definitions download against a local server that plays the dictionary's web server."""
import socket
import subprocess
import threading
import time

from harness import (DEFINITIONS_SERVER_VARIABLE, QuiklexTest, browser_log, find_panel, helper,
                     right_click_menu, wait_for)

PATH = b"/quiklex/definitions.xml"
DEFAULT_INFO_PAGE = "http://www.lemmary.dk/#anvendelse/quiklex/"
NEW_INFO_PAGE = "http://nyt.lemmary.dk/quiklex-info-new"


def menu_open():
    """True while a popup menu of the program is open."""
    return helper("menu")[0] == 0


def ok_answer(body, extra_headers=b""):
    return (b"HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n" + extra_headers + b"\r\n" + body)


class DictionaryServer:
    """A raw TCP server on 127.0.0.1. answer(connection_index) gives (bytes to send, keep the
    connection open afterwards); None closes without an answer. Records, per connection, the
    request bytes, when it came and when the client closed it."""

    def __init__(self, answer=lambda i: None, listen=True):
        self.answer = answer
        self.requests = []
        self.accepted_at = []
        self.client_closed_at = {}
        self.lock = threading.Lock()
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.bind(("127.0.0.1", 0))
        self.port = self.sock.getsockname()[1]
        self.stopping = False
        self.thread = None
        if listen:
            self.listen()

    @property
    def env(self):
        return {DEFINITIONS_SERVER_VARIABLE: "127.0.0.1:%d" % self.port}

    def listen(self):
        self.listened_at = time.monotonic()
        self.sock.listen(8)
        self.sock.settimeout(0.2)
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def connections(self):
        with self.lock:
            return len(self.accepted_at)

    def _serve(self):
        while not self.stopping:
            try:
                conn, _ = self.sock.accept()
            except (socket.timeout, OSError):
                continue
            with self.lock:
                index = len(self.accepted_at)
                self.accepted_at.append(time.monotonic())
                self.requests.append(b"")
            threading.Thread(target=self._handle, args=(conn, index), daemon=True).start()

    def _handle(self, conn, index):
        conn.settimeout(5)
        data = b""
        try:
            # The request ends with an empty line and one zero byte.
            while not data.endswith(b"\r\n\r\n\x00") and len(data) < 4096:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
        except OSError:
            pass
        with self.lock:
            self.requests[index] = data
        reply = self.answer(index)
        try:
            if reply is not None:
                payload, keep_open = reply
                conn.sendall(payload)
                if keep_open:
                    conn.settimeout(60)
                    while conn.recv(4096):
                        pass
                    with self.lock:
                        self.client_closed_at[index] = time.monotonic()
        except OSError:
            pass
        conn.close()

    def stop(self):
        self.stopping = True
        self.sock.close()


class Definitions(QuiklexTest):
    def server(self, *args, **kwargs):
        s = DictionaryServer(*args, **kwargs)
        self.addCleanup(s.stop)
        return s

    def info_page_after_download(self, server):
        """Waits for the download, asks for the program's information page, returns the
        address the browser was given."""
        wait_for(lambda: server.connections() >= 1, 15, what="the download")
        time.sleep(1.0)  # the completion runs right after the answer
        before = len(browser_log())
        helper("post", 4, 5)
        wait_for(lambda: len(browser_log()) > before, 10, what="the information page")
        return browser_log()[before]

    def test_failed_downloads_retry_about_every_1500_ms_at_most_six_times(self):
        # The server reads the request and closes without an answer: every download fails.
        server = self.server()
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 6, 20, what="six downloads")
        time.sleep(4.0)  # two more ticks of the retry timer start nothing
        self.assertEqual(server.connections(), 6)
        times = server.accepted_at
        for a, b in zip(times, times[1:]):
            self.assertGreater(b - a, 1.0)
            self.assertLess(b - a, 3.5)

        # The request exactly as sent: HTTP/1.0 twice per process, then 1.1; only a Host line;
        # one zero byte after the empty line.
        host = b"127.0.0.1:%d" % server.port
        for i, request in enumerate(server.requests):
            version = b"1.0" if i < 2 else b"1.1"
            self.assertEqual(request, b"GET " + PATH + b" HTTP/" + version + b"\r\nHost: " + host +
                             b"\r\n\r\n\x00", i)
        self.assertTrue(q.running())

    def test_refused_connection_is_retried(self):
        server = self.server(listen=False)
        q = self.start(env=server.env)
        q.wait_visible()  # the first download was refused during start-up
        time.sleep(0.5)
        server.listen()
        wait_for(lambda: server.connections() >= 1, 5, what="the retry")
        self.assertLess(server.accepted_at[0] - server.listened_at, 2.5)
        self.assertTrue(q.running())

    def test_document_replaces_the_information_page(self):
        body = (b'<?xml version="1.0" encoding="windows-1252"?>\r\n<definitions>'
                b'<link name="programpage" modern="' + NEW_INFO_PAGE.encode() +
                b'" gcf="gcf:' + NEW_INFO_PAGE.encode() + b'"/></definitions>')
        server = self.server(lambda i: (ok_answer(body), False))
        q = self.start(env=server.env)
        q.wait_visible()
        self.assertEqual(self.info_page_after_download(server), NEW_INFO_PAGE)
        time.sleep(2.0)  # a successful download is the last one
        self.assertEqual(server.connections(), 1)

    def test_bad_scheme_in_document_replaces_nothing(self):
        body = (b'<definitions><link name="programpage" modern="file:///c:/windows/notepad.exe"'
                b' gcf="gcf:file:///c:/windows/notepad.exe"/></definitions>')
        server = self.server(lambda i: (ok_answer(body), False))
        q = self.start(env=server.env)
        q.wait_visible()
        self.assertEqual(self.info_page_after_download(server), DEFAULT_INFO_PAGE)

    def test_server_keeping_the_connection_open_does_not_delay_the_result(self):
        body = (b'<definitions><link name="programpage" modern="' + NEW_INFO_PAGE.encode() +
                b'" gcf="gcf:' + NEW_INFO_PAGE.encode() + b'"/></definitions>')
        header = b"Content-Length: %d\r\n" % len(body)
        server = self.server(lambda i: (ok_answer(body, header).replace(b"HTTP/1.0", b"HTTP/1.1"),
                                        True))
        q = self.start(env=server.env)
        q.wait_visible()
        # The program closes its side as soon as the announced body is in.
        wait_for(lambda: 0 in server.client_closed_at, 5, what="the program to close")
        self.assertLess(server.client_closed_at[0] - server.accepted_at[0], 3.0)
        self.assertEqual(self.info_page_after_download(server), NEW_INFO_PAGE)

    def test_xml_error_stops_retries_but_keeps_earlier_replacements(self):
        body = (b'<definitions><link name="programpage" modern="' + NEW_INFO_PAGE.encode() +
                b'" gcf="gcf:' + NEW_INFO_PAGE.encode() + b'"/><broken></definitions>')
        server = self.server(lambda i: (ok_answer(body), False))
        q = self.start(env=server.env)
        q.wait_visible()
        self.assertEqual(self.info_page_after_download(server), NEW_INFO_PAGE)
        time.sleep(3.5)
        self.assertEqual(server.connections(), 1)
        self.assertTrue(q.running())

    def test_afslut_does_not_wait_for_a_download_that_hangs(self):
        # The server takes the request and then says nothing, keeping the connection open.
        server = self.server(lambda i: (b"", True))
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 1, 15, what="the download")
        p = find_panel()
        right_click_menu(p.left + 41, p.top + 16)  # the panel's menu; "Afslut" is its last entry
        ended = time.monotonic()
        subprocess.run(["xdotool", "key", "Up", "Return"], check=True)
        self.assertEqual(q.exit_code(15), 0)
        self.assertLess(time.monotonic() - ended, 10)
        # The process's end closed the connection of the waiting download.
        wait_for(lambda: 0 in server.client_closed_at, 5, what="the connection to close")
