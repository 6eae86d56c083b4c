// Tests of the pull reader: token sequences, options, decoding and every error text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/XmlReaderSimple.h"

using namespace qlx;

namespace {

// One line per token: "kind name|content" for tags and texts, "error: text" for errors.
std::vector<std::string> tokens(const char* text, bool keepWhitespace = false) {
    TXmlReaderSimple r(text);
    r.keepWhitespace = keepWhitespace;
    std::vector<std::string> out;
    for (int guard = 0; guard < 100; ++guard) {
        bool more = r.next();
        switch (r.kind()) {
        case xmlEOT: out.push_back("eot"); break;
        case xmlProlog: out.push_back("prolog " + std::string(r.name())); break;
        case xmlPI: out.push_back("pi " + std::string(r.name())); break;
        case xmlComment: out.push_back("comment " + std::string(r.content())); break;
        case xmlStartTag: out.push_back("start " + std::string(r.name())); break;
        case xmlEmptyElement: out.push_back("empty " + std::string(r.name())); break;
        case xmlEndTag: out.push_back("end " + std::string(r.name())); break;
        case xmlCDATA: out.push_back("cdata " + std::string(r.content())); break;
        case xmlContent: out.push_back("text " + std::string(r.content())); break;
        case xmlError: out.push_back("error: " + r.errorText()); break;
        case xmlNone: out.push_back("none"); break;
        }
        if (!more || r.kind() == xmlError) break;
    }
    return out;
}

using V = std::vector<std::string>;

std::string firstError(const char* text) {
    auto t = tokens(text);
    return t.back().rfind("error: ", 0) == 0 ? t.back().substr(7) : "(no error)";
}

std::string decodedContent(const char* text) {
    TXmlReaderSimple r(text);
    r.next();
    r.next();
    return std::string(r.content());
}

} // namespace

TEST(XmlReaderSimple, TokenSequences) {
    {
        TXmlReaderSimple r("");
        EXPECT_EQ(r.kind(), xmlNone);
        EXPECT_FALSE(r.next());
        EXPECT_EQ(r.kind(), xmlEOT);
    }
    EXPECT_EQ(tokens("<a>x</a>"), (V{"start a", "text x", "end a", "text ", "eot"}));
    EXPECT_EQ(tokens("<a><b/></a>"), (V{"start a", "text ", "empty b", "text ", "end a", "text ", "eot"}));
    EXPECT_EQ(tokens("<A>x</a>"), (V{"start a", "text x", "end a", "text ", "eot"}));
    EXPECT_EQ(tokens("<r></r/>"), (V{"start r", "text ", "end r", "text ", "eot"}));
    EXPECT_EQ(tokens("<r><b /><c/></r>"),
              (V{"start r", "text ", "empty b", "text ", "empty c", "text ", "end r", "text ", "eot"}));
    EXPECT_EQ(tokens("<?xml version=\"1.0\"?><?Style x?><r><!-- c --><![CDATA[ <raw> ]]></r>"),
              (V{"prolog ", "text ", "pi style", "text ", "start r", "text ", "comment c", "text ",
                 "cdata  <raw> ", "text ", "end r", "text ", "eot"}));
    // A line break before the first tag is taken as the beginning of a tag.
    // Its name is empty and "<a" is then an attribute without a value.
    EXPECT_EQ(tokens("\n<a></a>"), (V{"error: Attribut uden attributv\xE6rdi"}));
}

TEST(XmlReaderSimple, NameCaseFollowsTheOption) {
    TXmlReaderSimple r("<Ab C=\"v\">\xC6</ab>");
    r.lowerCaseNames = false;
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.name(), "Ab");
    EXPECT_EQ(TXmlReaderSimple::getAttribute(r.attributes(), "c"), "v");
    EXPECT_EQ(r.attributes()[0].first, "C");
    r.next();
    r.next();
    EXPECT_EQ(r.kind(), xmlError);
    EXPECT_EQ(r.errorText(), "Sluttag matcher ikke starttag");
    // Accented capitals are lowered too.
    EXPECT_EQ(tokens("<\xC6G>")[0], "start \xE6g");
}

TEST(XmlReaderSimple, Attributes) {
    TXmlReaderSimple r("<a x = 'one &amp; two' Y=\"  b   c \" z=''/>");
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.kind(), xmlEmptyElement);
    const TXmlAttrs& attrs = r.attributes();
    ASSERT_EQ(attrs.size(), 3u);
    EXPECT_EQ(attrs[0].first, "x");
    EXPECT_EQ(attrs[0].second.value, "one & two");
    EXPECT_EQ(attrs[1].first, "y");
    EXPECT_EQ(attrs[1].second.value, "b c");
    EXPECT_EQ(attrs[2].second.value, "");
    // Decoding happens once: asking again does not decode the decoded text a second time.
    TXmlReaderSimple twice("<a v='&amp;lt;'/>");
    twice.next();
    EXPECT_EQ(TXmlReaderSimple::getAttribute(twice.attributes(), "V"), "&lt;");
    EXPECT_EQ(TXmlReaderSimple::getAttribute(twice.attributes(), "v"), "&lt;");
    EXPECT_EQ(TXmlReaderSimple::getAttribute(twice.attributes(), "missing"), "");
    // The next token forgets them.
    twice.next();
    EXPECT_TRUE(twice.attributes().empty());

    // Many lowered names and decoded values in one tag all keep their text.
    std::string many = "<a";
    for (int i = 0; i < 40; ++i)
        many += " N" + std::to_string(i) + "='v &amp;  " + std::to_string(i) + "'";
    many += "/>";
    TXmlReaderSimple wide(many.c_str());
    wide.next();
    ASSERT_EQ(wide.attributes().size(), 40u);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(wide.attributes()[i].first, "n" + std::to_string(i));
        EXPECT_EQ(wide.attributes()[i].second.value, "v & " + std::to_string(i));
    }
}

TEST(XmlReaderSimple, WhiteSpace) {
    const char* text = "<a> \n two  \r\n words \n</a>";
    EXPECT_EQ(tokens(text)[1], "text two words");
    EXPECT_EQ(tokens(text, true)[1], "text  \n two  \r\n words \n");
}

TEST(XmlReaderSimple, CharacterReferences) {
    EXPECT_EQ(decodedContent("<a>&lt;&GT;&amp;&quot;&apos;&nbsp;</a>"), "<>&\"'\xA0");
    EXPECT_EQ(decodedContent("<a>&#233;</a>"), "\xE9");
    EXPECT_EQ(decodedContent("<a>&#8364;</a>"), "&#8364;");
    EXPECT_EQ(decodedContent("<a>&#x41;&#X41;</a>"), "AA");
    EXPECT_EQ(decodedContent("<a>&#0;&#256;&#x;&#;&#12a;&#xg1;</a>"), "&#0;&#256;&#x;&#;&#12a;&#xg1;");
    EXPECT_EQ(decodedContent("<a>&unknown;</a>"), "&unknown;");
    EXPECT_EQ(decodedContent("<a>&#000065;&#0000065;</a>"), "A&#0000065;"); // 7 bytes ok, 8 not
    // A decoded ampersand starts nothing; a second ampersand starts a new candidate.
    EXPECT_EQ(decodedContent("<a>&amp;lt; &x&lt;</a>"), "&lt; &x<");
    TXmlReaderSimple off("<a>&lt;</a>");
    off.decodeEntities = false;
    off.next();
    off.next();
    EXPECT_EQ(off.content(), "&lt;");
    // CDATA is never decoded.
    EXPECT_EQ(tokens("<a><![CDATA[&lt;  x]]></a>")[2], "cdata &lt;  x");
}

TEST(XmlReaderSimple, WholeContentMode) {
    TXmlReaderSimple r("<r><m a='1'> Hello <b>big</b> <i>x</i> &amp; world </m><n/></r>");
    ASSERT_TRUE(r.next());
    r.next();
    r.next();
    EXPECT_EQ(r.name(), "m");
    r.contentIsOnePart = true;
    r.decodeEntities = false;
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.kind(), xmlContent);
    EXPECT_EQ(r.content(), "Hello <b>big</b> <i>x</i> &amp; world");
    ASSERT_TRUE(r.next());
    EXPECT_FALSE(r.contentIsOnePart);
    EXPECT_EQ(r.kind(), xmlEndTag);
    EXPECT_EQ(r.name(), "m");
    r.next();
    r.next();
    EXPECT_EQ(r.kind(), xmlEmptyElement);

    // A nested element of the same name ends it early, in any letter case.
    TXmlReaderSimple nested("<m>a<M>b</M>c</m>");
    nested.next();
    nested.contentIsOnePart = true;
    nested.next();
    EXPECT_EQ(nested.content(), "a<M>b");

    // The end tag must be followed by ">" or white space; a longer name does not end it.
    TXmlReaderSimple longer("<m>a</mx>b</m >");
    longer.next();
    longer.contentIsOnePart = true;
    longer.next();
    EXPECT_EQ(longer.content(), "a</mx>b");
}

TEST(XmlReaderSimple, WholeContentErrors) {
    TXmlReaderSimple none("x<a/>");
    none.next(); // "x<a/" is read as a tag
    none.contentIsOnePart = true;
    EXPECT_TRUE(none.next());
    EXPECT_EQ(none.kind(), xmlError);
    EXPECT_EQ(none.errorText(), "contentIsOnePart anvendt, men start tag mangler");

    TXmlReaderSimple missing("<r><m>text</r>");
    missing.next();
    missing.next();
    missing.next();
    missing.contentIsOnePart = true;
    EXPECT_TRUE(missing.next());
    EXPECT_EQ(missing.errorText(), "contentIsOnePart anvendt, men slut tag \"</m...\" mangler");
}

TEST(XmlReaderSimple, ErrorTexts) {
    EXPECT_EQ(firstError("<a>"), "Missing end tags or more end tags than start tags");
    EXPECT_EQ(firstError("<a><!-- x </a>"), "Fandt <!-- men mangler slut p\xE5 kommentarafslutning -->");
    EXPECT_EQ(firstError("<a><![CDATA[ x </a>"), "Fandt <![CDATA[ men mangler dataafslutning ]]>");
    EXPECT_EQ(firstError("<!DOCTYPE a><a/>"), "Ukorrekt begyndelse p\xE5 kommentar eller CDATA");
    EXPECT_EQ(firstError("<>"), "Tag er ikke afsluttet");
    EXPECT_EQ(firstError("<a"), "Tag er ikke afsluttet");
    EXPECT_EQ(firstError("<?xml version='1.0'>"), "Fandt <? men mangler ?>");
    EXPECT_EQ(firstError("<?>"), "Fandt <? men mangler ?>");
    EXPECT_EQ(firstError("</a>"), "Sluttag matcher ikke starttag");
    EXPECT_EQ(firstError("<a><b></a>"), "Sluttag matcher ikke starttag");
    EXPECT_EQ(firstError("<a b c='1'/>"), "Mellemrum i attributnavn ikke tilladt");
    EXPECT_EQ(firstError("<a b=1/>"), "Attributv\xE6rdi ikke omsluttet af enten ' eller \"");
    EXPECT_EQ(firstError("<a b='1' B='2'/>"), "Attributter i \xE9t tag skal have forskellige navne");
    EXPECT_EQ(firstError("<a b='x>y'/>"), "Attributv\xE6rdi ikke afsluttet korrekt");
    EXPECT_EQ(firstError("<a b/>"), "Attribut uden attributv\xE6rdi");
    EXPECT_EQ(firstError("<a b=/>"), "Attribut uden attributv\xE6rdi");
    // Names differing only in case are distinct when names are kept as written.
    TXmlReaderSimple keep("<a b='1' B='2'/>");
    keep.lowerCaseNames = false;
    keep.next();
    EXPECT_EQ(keep.kind(), xmlEmptyElement);
    EXPECT_EQ(keep.attributes().size(), 2u);
}

// A repeated name is found however many attributes come before it; a tag of a megabyte of
// attributes once took half a minute because each name was looked for in all the others.
TEST(XmlReaderSimple, ManyAttributesAreCheckedForRepeatsInOnePass) {
    std::string many = "<a";
    for (int i = 0; i < 100000; ++i)
        many += " n" + std::to_string(i) + "=''";
    const std::string text = many + "/>";
    TXmlReaderSimple reader(text);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.kind(), xmlEmptyElement);
    EXPECT_EQ(reader.attributes().size(), 100000u);
    for (const char* repeat : {" N3=''/>", " n20=''/>", " n99999=''/>"})
        EXPECT_EQ(firstError((many + repeat).c_str()),
                  "Attributter i \xE9t tag skal have forskellige navne")
            << repeat;
}

TEST(XmlReaderSimple, TextEndsAtFirstZeroByte) {
    std::string text("<a/>\0<b>", 8);
    EXPECT_EQ(tokens(text.c_str()), (V{"empty a", "text ", "eot"}));
    TXmlReaderSimple view{std::string_view(text)};
    view.next();
    view.next();
    EXPECT_FALSE(view.next());
    EXPECT_EQ(view.kind(), xmlEOT);
}

TEST(XmlReaderSimple, EndsOnAnyInputWhenErrorsAreIgnored) {
    // A caller that reads on after errors still reaches the end of the text.
    const char* samples[] = {"<a b='x>y'><!--", "<<<>>>", "</a></b><c", "<![CDATA[", "<?x", "x>y<z"};
    for (const char* s : samples) {
        TXmlReaderSimple r(s);
        int count = 0;
        while (r.next() && count < 1000) ++count;
        EXPECT_LT(count, 1000) << s;
    }
}
