// Tests of the definitions document walk, the retry decisions, the failure texts and the
// server override.
#include <gtest/gtest.h>

#include "definitions/DefinitionsDocument.h"
#include "definitions/DefinitionsRetry.h"
#include "definitions/DefinitionsServer.h"

using namespace qlx;

namespace {

DefinitionsParseResult parse(const char* text, bool settingsFileMissing = false) {
    TXmlReaderSimple reader(text);
    return ParseDefinitions(reader, settingsFileMissing);
}

std::string message(const char* attributes) {
    return std::string("<message timestamp='t' ") + attributes + ">hi</message>";
}

size_t accepted(const std::string& body) {
    auto r = parse(("<d>" + body + "</d>").c_str());
    EXPECT_EQ(r.status, kDefinitionsOk) << body;
    return r.messages ? r.messages->size() : 0;
}

} // namespace

TEST(ParseDefinitions, LinksAndMessagesAtAnyDepth) {
    auto r = parse("<?xml version='1.0'?>\r\n<definitions>\n"
                   "  <link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/>\n"
                   "  <!-- comment --><group><deeper>\n"
                   "    <LINK Name='programpage' modern='https://p.lemmary.dk/' gcf='gcf:https://p.lemmary.dk/'></LINK>\n"
                   "  </deeper></group>\n"
                   "  <message timestamp='2024-02' max-ver='0.6.0'>\n  <p>One &amp;  <b>two</b></p>\n</message>\n"
                   "  <x><message timestamp='2024-01'>Inner</message></x>\n"
                   "</definitions>");
    EXPECT_EQ(r.status, kDefinitionsOk);
    ASSERT_EQ(r.replacements.size(), 2u);
    EXPECT_EQ(r.replacements[0], (TemplateReplacement{TemplatePair::Lookup, "http://a.lemmary.dk/", "gcf:http://a.lemmary.dk/"}));
    EXPECT_EQ(r.replacements[1], (TemplateReplacement{TemplatePair::ProgramPage, "https://p.lemmary.dk/", "gcf:https://p.lemmary.dk/"}));
    ASSERT_TRUE(r.messages);
    ASSERT_EQ(r.messages->size(), 2u);
    EXPECT_EQ((*r.messages)[0].timestamp, "2024-02");
    // Inner markup and references kept, white space trimmed and collapsed.
    EXPECT_EQ((*r.messages)[0].text, "<p>One &amp; <b>two</b></p>");
    EXPECT_FALSE((*r.messages)[0].shown);
    EXPECT_EQ((*r.messages)[1].text, "Inner");

    PageTemplates templates = PageTemplates::defaults();
    applyTemplateReplacements(templates, r.replacements);
    EXPECT_EQ(templates.LookupModern, "http://a.lemmary.dk/");
    EXPECT_EQ(templates.LookupGCF, "gcf:http://a.lemmary.dk/");
    EXPECT_EQ(templates.ProgramPageModern, "https://p.lemmary.dk/");
    EXPECT_EQ(templates.ProgramPageGCF, "gcf:https://p.lemmary.dk/");
}

TEST(ParseDefinitions, LinksThatReplaceNothing) {
    auto r = parse("<d>"
                   "<link name='other' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/>"
                   "<link name='lookup' modern='http://a.lemmary.dk/'/>"
                   "<link name='Lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/>"
                   "<link name='lookup' modern='file:///c:/x.exe' gcf='gcf:http://a.lemmary.dk/'/>"
                   "<link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:javascript:alert(1)'/>"
                   "<link name='lookup' modern=' http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/' x='1' />"
                   "<link name='lookup' modern='HTTPS://B.Lemmary.DK/' gcf='GCF:Http://b.LEMMARY.dk/'/>"
                   "</d>");
    EXPECT_EQ(r.status, kDefinitionsOk);
    // Leading blanks are trimmed by the reader, so the sixth link is a good one.
    ASSERT_EQ(r.replacements.size(), 2u);
    EXPECT_EQ(r.replacements[0].modern, "http://a.lemmary.dk/");
    EXPECT_EQ(r.replacements[1].gcf, "GCF:Http://b.LEMMARY.dk/");
}

TEST(ParseDefinitions, TemplatesOnlyForTheDictionarysDomain) {
    auto r = parse("<d>"
                   "<link name='lookup' modern='http://evil.example/#ordbog/' gcf='gcf:http://evil.example/'/>"
                   "<link name='lookup' modern='http://www.lemmary.dk@evil.example/' gcf='gcf:http://www.lemmary.dk/'/>"
                   "<link name='lookup' modern='http://www.lemmary.dk/' gcf='gcf:http://127.0.0.1/'/>"
                   "<link name='lookup' modern='http://www.lemmary.dk/&#34; --x &#34;' gcf='gcf:http://www.lemmary.dk/'/>"
                   "<link name='programpage' modern='http://xlemmary.dk/' gcf='gcf:http://www.lemmary.dk/'/>"
                   "<link name='programpage' modern='https://nyt.lemmary.dk/q' gcf='gcf:https://nyt.lemmary.dk/q'/>"
                   "</d>");
    EXPECT_EQ(r.status, kDefinitionsOk);
    // Only the last one; the lookup templates stay what they were.
    ASSERT_EQ(r.replacements.size(), 1u);
    EXPECT_EQ(r.replacements[0], (TemplateReplacement{TemplatePair::ProgramPage, "https://nyt.lemmary.dk/q",
                                                      "gcf:https://nyt.lemmary.dk/q"}));
    PageTemplates templates = PageTemplates::defaults();
    applyTemplateReplacements(templates, r.replacements);
    EXPECT_EQ(templates.LookupModern, PageTemplates::defaults().LookupModern);
}

TEST(ParseDefinitions, VersionWindow) {
    EXPECT_EQ(accepted(message("max-ver='0.5.9'")), 0u);
    EXPECT_EQ(accepted(message("max-ver='0.6.0'")), 1u);
    EXPECT_EQ(accepted(message("max-ver='0.6.0a'")), 1u);
    EXPECT_EQ(accepted(message("min-ver='0.6.1'")), 0u);
    EXPECT_EQ(accepted(message("min-ver='0.10.0'")), 1u); // byte-wise: smaller than 0.6.0
    EXPECT_EQ(accepted(message("min-ver='0.6' max-ver=''")), 1u);
    EXPECT_EQ(accepted("<message timestamp=''>x</message>"), 0u);
    // A rejected message's inner markup is read as tags.
    EXPECT_EQ(parse("<d><message timestamp='t' min-ver='9'><br></message></d>").status, kDefinitionsXmlError);
}

TEST(ParseDefinitions, FirstRunSkipsMessagesButTakesLinks) {
    const char* doc = "<d><message timestamp='t'>hello</message>"
                      "<link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/></d>";
    auto r = parse(doc, true);
    EXPECT_EQ(r.status, kDefinitionsOk);
    EXPECT_FALSE(r.messages);
    EXPECT_EQ(r.replacements.size(), 1u);
    EXPECT_EQ(parse("<d><message timestamp='t'>a<br>b</message></d>", true).status, kDefinitionsXmlError);
    EXPECT_EQ(parse("<d><message timestamp='t'>a<br>b</message></d>", false).status, kDefinitionsOk);
}

TEST(ParseDefinitions, EmptyMessageElementSwallowsTheRestOfItsParent) {
    auto r = parse("<d><g><message timestamp='t'/>"
                   "<link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/>"
                   "<message timestamp='u'>lost</message></g>"
                   "<message timestamp='v'>kept</message></d>");
    EXPECT_EQ(r.status, kDefinitionsOk);
    EXPECT_TRUE(r.replacements.empty());
    ASSERT_TRUE(r.messages);
    ASSERT_EQ(r.messages->size(), 2u);
    EXPECT_EQ((*r.messages)[0].text, "");
    EXPECT_EQ((*r.messages)[1].text, "kept");
}

TEST(ParseDefinitions, UnbalancedAndBrokenDocuments) {
    auto sideBySide = parse("<message timestamp='a'>x</message><message timestamp='b'>y</message>");
    EXPECT_EQ(sideBySide.status, kDefinitionsUnbalanced);
    EXPECT_EQ(parse("").status, kDefinitionsOk);
    EXPECT_EQ(parse("\n<d></d>").status, kDefinitionsXmlError);
    EXPECT_EQ(parse("<d><message timestamp='a'>never ends").status, kDefinitionsXmlError);
    // Replacements found before an error are kept.
    auto broken = parse("<d><link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/><x a=1/></d>");
    EXPECT_EQ(broken.status, kDefinitionsXmlError);
    EXPECT_EQ(broken.replacements.size(), 1u);
}

TEST(DefinitionsFailureText, ByStatus) {
    DefinitionsServer server{"www.example.dk", 80};
    const std::string head = "Nogle informationer kunne ikke hentes korrekt via internettet.\n(";
    const std::string retry = ")\n\nPr\xF8v evt. igen senere";
    const std::string contact = ", eller kontakt evt. Talevang (www.talevang.dk).";
    const std::string address = "http://www.example.dk/quiklex/definitions.xml";
    EXPECT_EQ(definitionsFailureText(1, server), head + "intet XML-indhold i " + address + retry + contact);
    EXPECT_EQ(definitionsFailureText(3, server), head + "fil " + address + retry + contact);
    EXPECT_EQ(definitionsFailureText(4, server), head + "XML-fejl i " + address + retry + contact);
    EXPECT_EQ(definitionsFailureText(8, server), head + "XML-fejl i " + address + retry + contact);
    EXPECT_EQ(definitionsFailureText(5, server), head + "ingen forbindelse til http://www.example.dk" + retry + ".");
    EXPECT_EQ(definitionsFailureText(6, server), head + "intet svar, fil " + address + retry + ".");
    EXPECT_EQ(definitionsFailureText(7, server), head + "forkert HTTP-svar, fil " + address + retry + ".");
    EXPECT_FALSE(definitionsFailureText(0, server));
    EXPECT_FALSE(definitionsFailureText(2, server));
    EXPECT_FALSE(definitionsFailureText(-1, server));
}

TEST(DefinitionsRetry, AtMostSixDownloads) {
    DefinitionsServer server{"h", 80};
    DefinitionsRetry retry;
    EXPECT_FALSE(retry.TimerReadDefinitionsTimer(false)); // timer not started yet
    retry.StartReadDefinitions();
    EXPECT_TRUE(retry.timerEnabled());
    // A tick while the download runs waits for it.
    EXPECT_FALSE(retry.TimerReadDefinitionsTimer(false));
    int downloads = 1;
    for (int tick = 0; tick < 20; ++tick) {
        if (retry.downloadInProgress()) {
            auto done = retry.ReadDefinitionsDone(kDefinitionsNoAnswer, false, server);
            EXPECT_FALSE(done.success);
            EXPECT_FALSE(done.showFailure);
            EXPECT_FALSE(done.failureText.empty());
        }
        if (retry.TimerReadDefinitionsTimer(false)) ++downloads;
    }
    EXPECT_EQ(downloads, 6);
    EXPECT_EQ(retry.tag(), 5);
    EXPECT_TRUE(retry.timerEnabled()); // keeps ticking, starting nothing
}

TEST(DefinitionsRetry, SuccessAndXmlErrorsStopRetries) {
    DefinitionsServer server{"h", 80};
    DefinitionsRetry ok;
    ok.StartReadDefinitions();
    auto done = ok.ReadDefinitionsDone(kDefinitionsOk, false, server);
    EXPECT_TRUE(done.success);
    EXPECT_FALSE(ok.timerEnabled());
    EXPECT_FALSE(ok.downloadInProgress());
    EXPECT_FALSE(ok.TimerReadDefinitionsTimer(false)); // even without messages

    for (int32_t status : {kDefinitionsUnbalanced, kDefinitionsXmlError}) {
        DefinitionsRetry xml;
        xml.StartReadDefinitions();
        EXPECT_FALSE(xml.ReadDefinitionsDone(status, false, server).success);
        EXPECT_EQ(xml.tag(), DefinitionsRetry::kNoRetries);
        EXPECT_FALSE(xml.TimerReadDefinitionsTimer(false));
    }

    DefinitionsRetry reported;
    reported.StartReadDefinitions();
    auto shown = reported.ReadDefinitionsDone(kDefinitionsNoConnection, true, server);
    EXPECT_TRUE(shown.showFailure);
    EXPECT_EQ(reported.tag(), DefinitionsRetry::kNoRetries);

    DefinitionsRetry received;
    received.StartReadDefinitions();
    received.ReadDefinitionsDone(kDefinitionsNoAnswer, false, server);
    EXPECT_FALSE(received.TimerReadDefinitionsTimer(true));
}

TEST(DefinitionsServer, OverrideFromEnvironment) {
    EXPECT_EQ(definitionsServer(std::nullopt), (DefinitionsServer{kDictionaryHost, 80}));
    EXPECT_EQ(definitionsServer("127.0.0.1:8080"), (DefinitionsServer{"127.0.0.1", 8080}));
    EXPECT_EQ(definitionsServer("localhost"), (DefinitionsServer{"localhost", 80}));
    for (const char* bad : {"", ":80", "host:", "host:0", "host:65536", "host:8x", "ho st", "host\r\nX: y", "a/b"})
        EXPECT_EQ(definitionsServer(bad), (DefinitionsServer{kDictionaryHost, 80})) << bad;
    EXPECT_EQ((DefinitionsServer{"h", 8080}).documentAddress(), "http://h:8080/quiklex/definitions.xml");
    EXPECT_EQ((DefinitionsServer{"h", 80}).authority(), "h");
}
