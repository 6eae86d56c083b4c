// Tests of the definitions document's encoding: which documents count as UTF-8, what their
// characters become, and what the download then hands over.
#include <gtest/gtest.h>

#include <string>

#include "definitions/DefinitionsExchange.h"
#include "definitions/DocumentEncoding.h"

using namespace qlx;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kDeclared = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

} // namespace

TEST(DocumentEncoding, WhichDocumentsAreUtf8) {
    struct Case {
        std::string document;
        bool utf8;
    };
    const Case cases[] = {
        {kDeclared + "<d/>", true},
        {"<?xml version='1.0' encoding='UTF-8' standalone='yes'?><d/>", true},
        {"<?XML encoding = \"Utf-8\" ?><d/>", true},
        {"<?xml version=\"1.0\"\r\n  encoding=\"utf-8\"?>", true},
        {kBom + "<d/>", true},
        {kBom + "<?xml version='1.0' encoding='windows-1252'?><d/>", true}, // the mark decides
        {"<d>encoding=\"utf-8\"</d>", false},
        {"<?xml version='1.0'?><d/>", false},
        {"<?xml version='1.0' encoding='windows-1252'?><d/>", false},
        {"<?xml version='1.0' encoding='ISO-8859-1'?><d/>", false},
        {"<?xml version='1.0' encoding='utf-16'?><d/>", false},
        {"<?xml version='1.0' encoding='utf-8'", false}, // never ends
        {"<?xml version='1.0' myencoding='utf-8'?><d/>", false},
        {"<?xml version='1.0'?><d>encoding='utf-8'?></d>", false}, // after the declaration
        {"\n<?xml version='1.0' encoding='utf-8'?><d/>", false},   // not at the start
        {"<?xml-stylesheet encoding='utf-8'?><d/>", false},
        {"", false},
        {"\xEF\xBB", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isUtf8Document(c.document), c.utf8) << c.document;
}

TEST(DocumentEncoding, OtherDocumentsAreReadAsTheyAre) {
    for (const std::string& document :
         {std::string("<d>F\xF8rste \xC3\xB8 &#337;</d>"),
          std::string("<?xml version='1.0' encoding='iso-8859-1'?><d>\xC3\xB8</d>"),
          std::string(
              "<?xml version='1.0' encoding='windows-1252'?><link modern='\xE2\x82\xAC'/>")})
        EXPECT_EQ(definitionsDocumentText(document), document);
}

TEST(DocumentEncoding, Utf8CharactersBecomeWindows1252ReferencesOrEscapes) {
    struct Case {
        const char* what;
        std::string body; // after the declaration
        std::string text;
    };
    const Case cases[] = {
        {"ascii and markup", "<d a='x'>plain &amp; <b>bold</b></d>",
         "<d a='x'>plain &amp; <b>bold</b></d>"},
        {"danish letters", "<d>F\xC3\xB8rste \xC3\xA6\xC3\xA5 \xC3\x85</d>",
         "<d>F\xF8rste \xE6\xE5 \xC5</d>"},
        {"the code page's own 0x80-0x9F",
         "<d>\xE2\x82\xAC \xE2\x80\x9C\xC5\xA0\xE2\x80\x9D \xC5\xB8</d>",
         "<d>\x80 \x93\x8A\x94 \x9F</d>"},
        {"outside the code page",
         "<d t='\xC5\x91'>\xC5\x91 \xE2\x86\x92 \xF0\x9F\x98\x80 \xC2\x81</d>",
         "<d t='&#337;'>&#337; &#8594; &#128512; &#129;</d>"},
        {"link tags carry web addresses",
         "<LINK name='lookup' modern='http://a/s\xC3\xB8g/\xC5\x91/' "
         "gcf='gcf:http://a/\xE2\x82\xAC'/>"
         "<link\tmodern='\xC3\xB8'></link>\xC3\xB8<linkx m='\xC3\xB8'/>",
         "<LINK name='lookup' modern='http://a/s%C3%B8g/%C5%91/' gcf='gcf:http://a/%E2%82%AC'/>"
         "<link\tmodern='%C3%B8'></link>\xF8<linkx m='\xF8'/>"},
        {"a '<' inside a tag begins the next", "<d a='<link b=\"\xC3\xB8\"'>\xC3\xB8</d>",
         "<d a='<link b=\"%C3%B8\"'>\xF8</d>"},
        {"broken sequences: one replacement each",
         "<d>\xC3 \xFF\xFE \xC0\xBC \xE0\x80\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82 \x80</d>",
         "<d>&#65533; &#65533;&#65533; &#65533;&#65533; &#65533;&#65533;&#65533; "
         "&#65533;&#65533;&#65533; &#65533;&#65533;&#65533;&#65533; &#65533; &#65533;</d>"},
        {"a broken sequence in a link tag", "<link m='\xC3'/><d>\xE2\x82",
         "<link m='%EF%BF%BD'/><d>&#65533;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(definitionsDocumentText(kDeclared + c.body), kDeclared + c.text) << c.what;
        EXPECT_EQ(definitionsDocumentText(kBom + c.body), c.text) << c.what;
    }
}

TEST(DocumentEncoding, TheDownloadReadsAUtf8DocumentAsWindows1252) {
    struct Connection : DefinitionsConnection {
        std::string answer;
        bool connect(const std::string&, uint16_t, int) override { return true; }
        bool send(std::string_view, int) override { return true; }
        Received receive(char* buffer, size_t capacity, int) override {
            const size_t n = std::min(capacity, answer.size());
            answer.copy(buffer, n);
            answer.erase(0, n);
            return {n ? Receive::Data : Receive::Closed, n};
        }
        void close() override {}
        int64_t nowMs() override { return 0; }
    };
    const std::string body =
        kBom + "<d><link name='lookup' modern='http://lemmary.dk/\xC3\xB8/' gcf='gcf:http://lemmary.dk/\xC3\xB8/'/>"
               "<message timestamp='t'><p>F\xC3\xB8rste &amp; \xC5\x91</p></message></d>";
    Connection c;
    c.answer = "HTTP/1.0 200 OK\r\n\r\n" + body;
    HttpVersionCounter versions;
    const DefinitionsDownload d = Execute(c, {"x", 80}, versions, false);
    EXPECT_EQ(d.status, kDefinitionsOk);
    ASSERT_EQ(d.replacements.size(), 1u);
    EXPECT_EQ(d.replacements[0].modern, "http://lemmary.dk/%C3%B8/");
    EXPECT_EQ(d.replacements[0].gcf, "gcf:http://lemmary.dk/%C3%B8/");
    ASSERT_TRUE(d.messages);
    EXPECT_EQ((*d.messages)[0].text, "<p>F\xF8rste &amp; &#337;</p>");
}
