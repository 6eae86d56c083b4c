"""A hostile network: the definitions document (plain HTTP) names templates elsewhere than on
the dictionary's domain, with user information or with a quote that would end the address on
a browser's command line, and messages with such links. None of them is ever opened; lookups
stay on the dictionary's address, and ordinary messages, links and lookups work as before."""
import os
import time

from harness import (QuiklexTest, browser_log, click_text_lines, client, helper,
                     settings_folder, shown, start_second, user_name, wait_for)
from test_definitions import DictionaryServer, ok_answer
from test_messages import MESSAGES, DIALOG, document

LOOKUP = "http://www.lemmary.dk/#ordbog/"
INFO_PAGE = "http://www.lemmary.dk/#anvendelse/quiklex/"


def link(name, modern, gcf):
    return b'<link name="%s" modern="%s" gcf="%s"/>' % (name, modern, gcf)


class HostileNetwork(QuiklexTest):
    def serve(self, body):
        server = DictionaryServer(lambda i: (ok_answer(body), False))
        self.addCleanup(server.stop)
        return server

    def opened_by(self, action, timeout=10):
        """Runs action; the addresses the browser was given (the first, and any that follow
        within a while)."""
        before = len(browser_log())
        action()
        wait_for(lambda: len(browser_log()) > before, timeout, what="an address opened")
        time.sleep(0.7)
        return browser_log()[before:]

    def test_templates_elsewhere_are_ignored_and_lookups_stay_on_the_dictionary(self):
        # The settings file already holds a template elsewhere (as an older version may have
        # saved one from a tampered download); the document brings more of them.
        with open(os.path.join(settings_folder(), user_name() + ".ini"), "a", newline="") as f:
            f.write("LookupModern=http://evil.example/#ordbog/\r\n"
                    "ProgramPageModern=http://www.lemmary.dk@evil.example/\r\n")
        body = (b"<definitions>" +
                link(b"lookup", b"http://evil.example/#ordbog/", b"gcf:http://evil.example/o/") +
                link(b"lookup", b"http://www.lemmary.dk@evil.example/#ordbog/",
                     b"gcf:http://www.lemmary.dk@evil.example/o/") +
                link(b"lookup", b"http://www.lemmary.dk/#ordbog/&#34; --some-switch &#34;",
                     b"gcf:http://www.lemmary.dk/o/") +
                link(b"programpage", b"http://127.0.0.1/info", b"gcf:http://127.0.0.1/info") +
                b"</definitions>")
        server = self.serve(body)
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 1, 15, what="the download")
        time.sleep(1.0)  # the completion runs right after the answer

        helper("clipboard", "hus")
        self.assertEqual(self.opened_by(lambda: start_second("-clipboard")), [LOOKUP + "hus/"])
        self.assertEqual(self.opened_by(lambda: helper("post", 4, 5)), [INFO_PAGE])
        # A hostile search text stays inside the fragment.
        helper("clipboard", 'a" --x "&b#c')
        self.assertEqual(self.opened_by(lambda: start_second("-clipboard")),
                         [LOOKUP + "a%22%20--x%20%22%26b%23c/"])
        self.assertTrue(q.running())

    def test_an_error_answer_carrying_a_document_changes_nothing(self):
        page = b"https://nyt.lemmary.dk/quiklex/"
        body = b"<definitions>" + link(b"programpage", page, b"gcf:" + page) + b"</definitions>"
        server = DictionaryServer(lambda i: (ok_answer(body).replace(b"200 OK", b"404 Not Found"),
                                             False))
        self.addCleanup(server.stop)
        q = self.start(env=server.env)
        q.wait_visible()
        # A failed download: retried as any other.
        wait_for(lambda: server.connections() >= 2, 15, what="a retry")
        self.assertEqual(self.opened_by(lambda: helper("post", 4, 5)), [INFO_PAGE])

    def test_a_template_ending_at_its_host_is_ignored(self):
        # From the network and from the settings file: appended to, "http://www.lemmary.dk"
        # would let the search text carry on the host name.
        with open(os.path.join(settings_folder(), user_name() + ".ini"), "a", newline="") as f:
            f.write("LookupModern=http://www.lemmary.dk\r\n")
        server = self.serve(b"<definitions>" +
                            link(b"lookup", b"http://www.lemmary.dk", b"gcf:http://www.lemmary.dk") +
                            b"</definitions>")
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 1, 15, what="the download")
        time.sleep(1.0)
        helper("clipboard", ".evil.com")
        self.assertEqual(self.opened_by(lambda: start_second("-clipboard")),
                         [LOOKUP + ".evil.com/"])

    def test_a_hand_over_message_from_another_program_is_ignored(self):
        page = b"https://nyt.lemmary.dk/quiklex/"
        server = self.serve(b"<definitions>" + link(b"programpage", page, b"gcf:" + page) +
                            b"</definitions>")
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 1, 15, what="the download")
        time.sleep(1.0)
        # The download's own hand-over is done; another program now sends raw values that
        # a careless window would take for a download's result.
        for value in (0x4141414141, 1, 0x10000):
            self.assertEqual(helper("sendhandover", value)[0], 0)
        self.assertTrue(q.running())
        self.assertEqual(self.opened_by(lambda: helper("post", 4, 5)), [page.decode()])

    def test_a_template_on_the_dictionarys_domain_is_still_taken(self):
        page = b"https://nyt.lemmary.dk/quiklex/"
        server = self.serve(b"<definitions>" + link(b"programpage", page, b"gcf:" + page) +
                            b"</definitions>")
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: server.connections() >= 1, 15, what="the download")
        time.sleep(1.0)
        self.assertEqual(self.opened_by(lambda: helper("post", 4, 5)), [page.decode()])
        helper("clipboard", "sol")
        self.assertEqual(self.opened_by(lambda: start_second("-clipboard")), [LOOKUP + "sol/"])

    def test_message_links_with_a_quote_or_user_information_are_not_opened(self):
        # One link a line: a quote from a reference, user information, then a web link.
        body = document(("1", '<a href="http://a&#34; --some-switch &#34;">Citatlink her</a><br>'
                              '<a href="http://www.lemmary.dk@evil.example/">Brugerlink her</a>'
                              '<br><a href="http://www.lemmary.dk/nyhed">Weblink her</a>'))
        server = self.serve(body)
        q = self.start(env=server.env)
        q.wait_visible()
        wait_for(lambda: shown(MESSAGES), 20, what="the messages window")
        left, top, _, _, _ = client(MESSAGES)
        view_left, view_top = left + 8 + 7, top + 11 + 7
        before = len(browser_log())
        self.assertEqual(click_text_lines(view_left, view_top), 3)
        wait_for(lambda: len(browser_log()) > before, 10, what="the web link")
        time.sleep(1.0)
        self.assertEqual(browser_log()[before:], ["http://www.lemmary.dk/nyhed"])
        # Neither refused link was a link at all: no failure message either.
        self.assertFalse(wait_for(lambda: helper("window", DIALOG)[0] == 0, 1, fail=False))
        self.assertTrue(shown(MESSAGES))
