// Generated inputs for the core benchmarks: a settings-like INI text and definitions-like XML
// documents, the same bytes on every run so that runs can be compared.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace qlx::bench {

// A small fixed-seed generator: the documents must not change between runs.
class Lcg {
  public:
    uint32_t next(uint32_t bound) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(state_ >> 33) % bound;
    }

  private:
    uint64_t state_ = 0x51ED2701;
};

inline std::string format(const char* pattern, unsigned a, unsigned b = 0, unsigned c = 0) {
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return std::string(buffer, static_cast<size_t>(n));
}

// Sections as the settings file has them (window position, settings, shown messages) and
// user-added sections, until the text holds at least minBytes. Lines end with CR LF; a few
// comment lines and empty lines are skipped by every reader alike. No line is longer than 200
// bytes, and no key or value has blanks at its ends, so that trimming readers keep them too.
inline std::string settingsIni(size_t minBytes) {
    Lcg rng;
    std::string out;
    for (unsigned part = 0; out.size() < minBytes; ++part) {
        out += format("; profile %u\r\n[MainForm%u]\r\nFromTop=%u\r\nFromBottom=\r\n", part, part,
                      rng.next(1200));
        out += format("FromLeft=%u\r\nFromRight=\r\n\r\n", rng.next(1900));
        out += format("[Settings%u]\r\nPrgVersion=0.6.0\r\nMinimizeStart=%u\r\nSysTrayIcon=1\r\n",
                      part, rng.next(2));
        out += "Hotkey=Shift+Ctrl+C\r\nAlwaysOnTop=1\r\nUseChromeFrame=0\r\n";
        out += format("ProgramPageModern=http://www.example.dk/quiklex/?v=%u\r\n", part);
        out += format("ProgramPageGCF=gcf:http://www.example.dk/quiklex/?v=%u\r\n", part);
        out += "LookupModern=http://www.example.dk/search?query=%s&source=quiklex\r\n";
        out += "LookupGCF=gcf:http://www.example.dk/search?query=%s&source=quiklex\r\n\r\n";
        out += format("[ShownMessages%u]\r\n", part);
        for (unsigned m = 0; m < 12; ++m)
            out += format("msg%u=2024-%02u-%02u 12:00\r\n", m, 1 + rng.next(12), 1 + rng.next(28));
        out += format("\r\n[Various%u]\r\nStartDelay=%u\r\nNote=Ordbog p\xE5 skrivebordet\r\n\r\n",
                      part, rng.next(10));
    }
    return out;
}

// One message as the dictionary's server writes them: HTML with attributes, character
// references, Danish letters as Windows-1252 bytes, a comment and now and then a CDATA note.
// Well-formed XML, so that strict readers accept it too.
inline std::string definitionsMessage(unsigned id, Lcg& rng, bool accepted) {
    std::string out = format("  <message timestamp=\"2024-%02u-%02u %05u\" min-ver=\"0.5.0\"",
                             1 + id % 12, 1 + id % 28, id);
    out += accepted ? " max-ver=\"0.7.0\">\r\n" : " max-ver=\"0.5.9\">\r\n";
    out += format("    <h3 class=\"news\">Nyhed nr. %u: s&#248;g hurtigere</h3>\r\n", id);
    out += "    <p>Ordbogen har f\xE5"
           "et <b>nye ord</b> &amp; bedre forklaringer.\r\n"
           "       L&#230;s mere p&#229; <a href=\"http://www.example.dk/nyt?id=";
    out += std::to_string(rng.next(100000));
    out += "&amp;kilde=quiklex\" target=\"_blank\">siden om nyheder</a>.</p>\r\n";
    out += "    <!-- redigeret af redaktionen -->\r\n";
    out += "    <ul>\r\n";
    for (unsigned i = 0, n = 2 + rng.next(3); i < n; ++i)
        out += format("      <li>Opslag %u &lt; %u &gt; &quot;citat&quot; &apos;x&apos;</li>\r\n",
                      i, rng.next(1000));
    out += "    </ul>\r\n";
    if (rng.next(4) == 0)
        out += "    <note><![CDATA[ if (a < b && c > d) { vis(); } ]]></note>\r\n";
    out += "    <p style=\"font-size: 9pt\">Venlig hilsen<br/>Redaktionen</p>\r\n  </message>\r\n";
    return out;
}

// A definitions document of at least minBytes: the prolog, the two address templates, then
// messages (seven in eight inside this program's version window).
inline std::string definitionsDocument(size_t minBytes) {
    Lcg rng;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<definitions>\r\n"
        "  <!-- Adresser -->\r\n  <templates>\r\n"
        "    <link name=\"programpage\" modern=\"http://www.example.dk/quiklex/\""
        " gcf=\"gcf:http://www.example.dk/quiklex/\"/>\r\n"
        "    <link name=\"lookup\" modern=\"http://www.example.dk/search?query=%s&amp;src=ql\""
        " gcf=\"gcf:http://www.example.dk/search?query=%s&amp;src=ql\"/>\r\n"
        "  </templates>\r\n";
    for (unsigned id = 0; out.size() < minBytes; ++id)
        out += definitionsMessage(id, rng, id % 8 != 7);
    out += "</definitions>\r\n";
    return out;
}

} // namespace qlx::bench
