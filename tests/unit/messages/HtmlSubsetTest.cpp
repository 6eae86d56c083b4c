// The built-in message view's HTML subset and its rich text.
#include <gtest/gtest.h>

#include "messages/HtmlSubset.h"

using namespace qlx;

namespace {

// The result in a short notation: paragraphs joined by "|", "^" for a margin above one and
// ">" per indent; *bold*, /italic/, _underlined_, #n{heading} and [text](address) for links.
std::string notation(const RichText& r) {
    std::string out;
    size_t run = 0;
    for (size_t p = 0; p < r.paragraphs.size(); ++p) {
        const RichParagraph& para = r.paragraphs[p];
        if (p > 0) out += '|';
        if (para.gapBefore) out += '^';
        out += std::string(para.indent, '>');
        const size_t end =
            p + 1 < r.paragraphs.size() ? r.paragraphs[p + 1].start - 1 : r.text.size();
        for (; run < r.runs.size() && r.runs[run].start < end; ++run) {
            const RichRun& x = r.runs[run];
            std::string text = r.text.substr(x.start, x.length);
            if (x.style & kRichUnderline) text = "_" + text + "_";
            if (x.style & kRichItalic) text = "/" + text + "/";
            if (x.style & kRichBold) text = "*" + text + "*";
            if (x.heading) text = "#" + std::to_string(x.heading) + "{" + text + "}";
            if (x.link >= 0) text = "[" + text + "](" + r.links[x.link] + ")";
            out += text;
        }
    }
    return out;
}

std::string reduced(std::string_view html) {
    return notation(htmlToRichText(html));
}

} // namespace

TEST(HtmlSubset, BlocksFormatsAndLists) {
    const std::pair<const char*, const char*> cases[] = {
        {"  Hej\r\n  <b>verden</b>  ", "Hej *verden*"},
        {"<p>a</p><p>b</p>", "a|^b"},
        {"a<br>b<br><br>c<br>", "a|b||c"},
        {"<div>a</div>b<div><div>c</div></div>", "a|b|c"},
        {"<h1>Nyt</h1>tekst <h3>x</h3>", "#1{Nyt}|^tekst|^#3{x}"},
        {"<i>a</i><em>b</em> <strong>c</strong><u>d</u>", "/ab/ *c*_d_"},
        {"<b>a<i>b</b>c</i></u></b>d", "*a**/b/*/c/d"},
        {"<ul><li>a</li><li>b</ul>c", ">\x95\ta|>\x95\tb|^c"},
        {"<ol><li>a<li><p>b</p><ul><li>c</ul></ol>", ">1.\ta|^>2.\tb|^>>\x95\tc"},
        {"<span>a</span><font color=red>b</font><table><tr><td>c</td></tr></table>", "ab|c"},
        {"<p onclick=\"alert(1)\" style='x'>a</p><img src=file:///c:/x.png>", "a"},
    };
    for (const auto& [html, expected] : cases)
        EXPECT_EQ(reduced(html), expected) << html;
}

TEST(HtmlSubset, OnlyWebLinksAreLinks) {
    const std::pair<const char*, const char*> cases[] = {
        {"<a href=\"http://x.dk/a?b=1&amp;c=2\" target=\"_blank\">L</a>",
         "[L](http://x.dk/a?b=1&c=2)"},
        {"<A HREF=' https://y.dk/\n '><b>L</b>x</A>y", "[*L*](https://y.dk/)[x](https://y.dk/)y"},
        {"<a href=http://z.dk>L</a>", "[L](http://z.dk)"},
        {"<a href=\"javascript:alert(1)\">L</a>", "L"},
        {"<a href=\"java&#x09;script:alert(1)\">L</a>", "L"},
        {"<a href=\"file:///c:/windows/win.ini\">L</a>", "L"},
        {"<a href=\"gcf:http://evil.example/\">L</a>", "L"},
        {"<a href=\"\\\\server\\share\">L</a>", "L"},
        {"<a name=x>L</a>", "L"},
        {"<a href=http://a.dk>1<a href=x:y>2</a>3", "[1](http://a.dk)23"},
    };
    for (const auto& [html, expected] : cases)
        EXPECT_EQ(reduced(html), expected) << html;
}

TEST(HtmlSubset, ReferencesScriptsCommentsAndBrokenMarkup) {
    const std::pair<const char*, const char*> cases[] = {
        {"&amp;&lt;&gt;&quot;&aelig;&oslash;&aring;&AElig;&yuml;&#229;&#xE6;&copy x",
         "&<>\"\xE6\xF8\xE5\xC6\xFF\xE5\xE6\xA9 x"},
        {"&euro;&#8364;&#150;&#x2014;&nbsp;&#x1F600;&#0;&#99999999999;&#129;",
         "\x80\x80\x96\x97\xA0\x1A\x1A???"},
        {"&bogus; & &#; &#x;", "&bogus; & &#; &#x;"},
        {"a<script>alert('<b>x</b>')</script>b<STYLE>p{}</STYLE >c<title>t</title>", "abc"},
        {"a<script src=x.js></scripty>still script", "a"},
        {"a<!-- <b>x</b> -->b<!DOCTYPE html><?xml x?>c</ >d", "abcd"},
        {"a < b <3 c<", "a < b <3 c<"},
        {"a<b", "a"},
        {"a<p title=\"never closed>b", "a"},
        {"a\x01\x7F"
         "b",
         "ab"},
    };
    for (const auto& [html, expected] : cases)
        EXPECT_EQ(reduced(html), expected) << html;
}

TEST(HtmlSubset, CharactersOutsideTheCodePageKeepTheirPlace) {
    const RichText r = htmlToRichText(
        "a&#337;<b>&#x1F600;</b>&rarr;&#8594; <a href='http://x.dk/&#337;&#248;?a&amp;b'>L</a>");
    // One placeholder per UTF-16 unit, so that the link's place is the control's.
    EXPECT_EQ(notation(r), "a\x1A*\x1A\x1A*&rarr;\x1A [L](http://x.dk/%C5%91%C3%B8?a&b)");
    EXPECT_EQ(r.others, u"\u0151\xD83D\xDE00\u2192");
    const std::string rtf = richTextToRtf(r, "Arial");
    EXPECT_NE(rtf.find("{\\plain\\f0\\fs24\\cf2 a\\u337?}{\\plain\\f0\\fs24\\b\\cf2 \\u-10179?\\u-8704?}"
                       "{\\plain\\f0\\fs24\\cf2 &rarr;\\u8594? }"),
              std::string::npos)
        << rtf;
}

TEST(HtmlSubset, AMegabyteOfNestingStaysLinear) {
    for (const std::string unit : {"<b><i><u><a href=http://x>", "<ul><ol><li>x", "<div><p>",
                                   "</b></ul></ol>", "<h1><blockquote><li>"}) {
        std::string html;
        while (html.size() < (1u << 20))
            html += unit;
        html += "end";
        const RichText r = htmlToRichText(html);
        EXPECT_LE(r.text.size(), html.size()) << unit;
        EXPECT_LE(r.runs.size(), html.size()) << unit;
        EXPECT_LE(r.paragraphs.size(), html.size()) << unit;
        EXPECT_EQ(r.text.substr(r.text.size() - 3), "end") << unit;
    }
}

// Elements that nest without end in a browser's tree stay at most sixteen deep in the flat HTML,
// and it still reads back to the same rich text.
TEST(HtmlSubset, FlatHtmlNestsAtMostSixteenDeep) {
    const auto count = [](const std::string& text, const std::string& tag) {
        size_t n = 0;
        for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) ++n;
        return n;
    };
    for (const char* unit : {"<ul>", "<ol>", "<b>", "<strong>", "<i>", "<u>", "<div>", "<table>"}) {
        std::string html;
        for (int i = 0; i < 100000; ++i) html += unit;
        html += "<li>end";
        const std::string flat = flatSubsetHtml(html);
        const std::string tag = flat.substr(0, flat.find('>') + 1);
        EXPECT_EQ(count(flat, tag), 16u) << unit;
        EXPECT_EQ(htmlToRichText(flat), htmlToRichText(html)) << unit;
    }
    // The end tags of what was dropped go with it; the outer lists close as written.
    std::string html;
    for (int i = 0; i < 20; ++i) html += "<ol><li>x";
    for (int i = 0; i < 20; ++i) html += "</ol>";
    html += "<ol><li>y</ol>";
    const std::string flat = flatSubsetHtml(html);
    EXPECT_EQ(count(flat, "<ol>"), 17u);
    EXPECT_EQ(count(flat, "</ol>"), 17u);
    EXPECT_EQ(htmlToRichText(flat), htmlToRichText(html));
}

TEST(HtmlSubset, RichTextEscapesTheTextAndCarriesTheFormats) {
    const RichText r = htmlToRichText(
        "<p>a{\\object}&aelig;</p><ul><li><b>c</b> <a href=http://x.dk>d</a></ul><h2>e</h2>");
    EXPECT_EQ(richTextToRtf(r, "Arial;}{\\evil"),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arialevil;}}"
              "{\\colortbl;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}\\f0\\fs24\n"
              "\\pard {\\plain\\f0\\fs24\\cf2 a\\{\\\\object\\}\\'e6}\\par\n"
              "\\pard\\li480\\fi-300\\tx480\\sb240 {\\plain\\f0\\fs24\\cf2 \\'95\\tab }"
              "{\\plain\\f0\\fs24\\b\\cf2 c}{\\plain\\f0\\fs24\\cf2  }{\\plain\\f0\\fs24\\ul\\cf1 d}\\par\n"
              "\\pard\\sb240 {\\plain\\f0\\fs36\\b\\cf2 e}\\par\n}");
    // On a monitor at 150 % of the screen's DPI every size and indent is half as large again.
    EXPECT_EQ(richTextToRtf(r, "Arial", 144, 96),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
              "{\\colortbl;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}\\f0\\fs36\n"
              "\\pard {\\plain\\f0\\fs36\\cf2 a\\{\\\\object\\}\\'e6}\\par\n"
              "\\pard\\li720\\fi-450\\tx720\\sb360 {\\plain\\f0\\fs36\\cf2 \\'95\\tab }"
              "{\\plain\\f0\\fs36\\b\\cf2 c}{\\plain\\f0\\fs36\\cf2  }{\\plain\\f0\\fs36\\ul\\cf1 d}\\par\n"
              "\\pard\\sb360 {\\plain\\f0\\fs54\\b\\cf2 e}\\par\n}");
    // Back on a monitor at the screen's DPI, the sizes as written.
    EXPECT_EQ(richTextToRtf(r, "Arial", 120, 120), richTextToRtf(r, "Arial"));
    // Other colours (high contrast: yellow links, white text) go into the colour table.
    EXPECT_NE(richTextToRtf(r, "Arial", 96, 96, {0xFFFFFF, 0x00FFFF})
                  .find("{\\colortbl;\\red255\\green255\\blue0;\\red255\\green255\\blue255;}"),
              std::string::npos);
}

TEST(HtmlSubset, TheBodyStyleTheBuiltInViewTakes) {
    EXPECT_EQ(firstFontFamily("Arial, Helvetica, sans-serif"), "Arial");
    EXPECT_EQ(firstFontFamily(" 'Times New Roman' ,serif"), "Times New Roman");
    EXPECT_EQ(cssPixels("7px", 3), 7);
    EXPECT_EQ(cssPixels("12", 3), 12);
    for (const char* other : {"", "1em", "-4px", "px", "99999999999px"})
        EXPECT_EQ(cssPixels(other, 3), 3) << other;
}

TEST(HtmlSubset, TheFlatHtmlKeepsNothingOfAHostileMessage) {
    // Each of these gives the flat HTML on the right: what could load, run, refresh, submit,
    // frame or restyle anything is gone, links that the program would not open are plain.
    const std::pair<const char*, const char*> cases[] = {
        {"<link rel=stylesheet href=http://192.168.1.1/a.css>a", "a"},
        {"<style>@import url(http://192.168.1.1/a.css);</style>a", "a"},
        {"<style>@font-face{font-family:x;src:url(http://x/f.ttf)}</style>a", "a"},
        {"<p style=\"background:url(http://x/i.png)\">a</p>", "<p>a</p>"},
        {"<iframe src=http://x/></iframe>a<frameset><frame src=http://x/>", "a"},
        {"<object data=http://x/a.swf></object><embed src=http://x/a.swf>a", "a"},
        {"<base href=http://evil.example/><a href=http://www.lemmary.dk/>a</a>",
         "<a href=\"http://www.lemmary.dk/\">a</a>"},
        {"<meta http-equiv=refresh content=\"0;url=http://x/\">a", "a"},
        {"<form action=http://x/><input name=p type=password>a</form>", "a"},
        {"<svg onload=alert(1)><image href=http://x/i.png /></svg>a", "a"},
        {"<b onmouseover=\"alert(1)\" style=x>a</b><img src=x onerror=alert(1)>",
         "<b>a</b>"},
        {"<a href=\"javascript:alert(1)\">a</a>", "<a>a</a>"},
        {"<a href=\"vbscript:msgbox(1)\">a</a>", "<a>a</a>"},
        {"<a href=\"data:text/html,<script>alert(1)</script>\">a</a>", "<a>a</a>"},
        {"<a href=\"file://server/share/a.css\">a</a>", "<a>a</a>"},
        {"<a href=\"gcf:http://evil.example/\">a</a>", "<a>a</a>"},
        {"<a href=\"\\\\server\\share\\a.exe\">a</a>", "<a>a</a>"},
        {"<a href=\"ms-msdt:/id PCWDiagnostic\">a</a>", "<a>a</a>"},
        {"<a href=\"http://a&#34; --some-switch &#34;\">a</a>", "<a>a</a>"},
        {"<a href=\"http://www.lemmary.dk@evil.example/\">a</a>", "<a>a</a>"},
        {"<a href='http://x/?a=1&amp;b=2'>a&lt;b&gt;&quot;&amp;</a>",
         "<a href=\"http://x/?a=1&amp;b=2\">a&lt;b&gt;&quot;&amp;</a>"},
        {"<script>alert(1)</script><!-- <b>x</b> -->a", "a"},
        // As browsers read it outside SVG: a bogus comment up to the first ">".
        {"<![CDATA[<b>y</b>]]>a", "y</b>]]&gt;a"},
    };
    for (const auto& [html, flat] : cases) {
        EXPECT_EQ(flatSubsetHtml(html), flat) << html;
        EXPECT_EQ(htmlToRichText(flatSubsetHtml(html)), htmlToRichText(html)) << html;
    }
}

TEST(HtmlSubset, OrdinaryNewsSurvivesTheFlatHtml) {
    const char* news =
        "<h2>Nyt i ordbogen</h2><P>Over <STRONG>1000</STRONG> nye ord, bl.a. "
        "<em>r&oslash;dgr&oslash;d</em> og <u>&aelig;ble</u>.<br>Se "
        "<a href=\"https://www.lemmary.dk/nyt\" target=\"_blank\">her</a>.</P>"
        "<ol><li>et<li>to<ul><li>tre</ul></ol><blockquote>citat</blockquote>"
        "<center>midt</center>";
    EXPECT_EQ(flatSubsetHtml(news),
              "<h2>Nyt i ordbogen</h2><p>Over <b>1000</b> nye ord, bl.a. "
              "<i>r\xF8" "dgr\xF8" "d</i> og <u>\xE6" "ble</u>.<br>Se "
              "<a href=\"https://www.lemmary.dk/nyt\">her</a>.</p>"
              "<ol><li>et<li>to<ul><li>tre</ul></ol><p>citat</p><div>midt</div>");
    EXPECT_EQ(htmlToRichText(flatSubsetHtml(news)), htmlToRichText(news));
}
