// The search text's escaping, the letter table and the page templates.
#include <gtest/gtest.h>

#include <string>

#include "lookup/LookupAddress.h"
#include "lookup/PageAddressCheck.h"

using namespace qlx;

namespace {
// The Unicode code point of a table letter: Windows-1252 0xC0-0xFF are Latin-1, the rest
// are the seven letters of Latin Extended-A.
uint32_t codePointOf(unsigned char b) {
    switch (b) {
    case 0x8A: return 0x160;
    case 0x8C: return 0x152;
    case 0x8E: return 0x17D;
    case 0x9A: return 0x161;
    case 0x9C: return 0x153;
    case 0x9E: return 0x17E;
    case 0x9F: return 0x178;
    default: return b;
    }
}

// Reads "%XX%XX" as a two-byte UTF-8 sequence.
uint32_t decodeEscape(const std::string& e) {
    if (e.size() != 6 || e[0] != '%' || e[3] != '%') return 0;
    for (char c : e)
        if (c != '%' && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return 0;
    const uint32_t b1 = std::stoul(e.substr(1, 2), nullptr, 16);
    const uint32_t b2 = std::stoul(e.substr(4, 2), nullptr, 16);
    if ((b1 & 0xE0) != 0xC0 || (b2 & 0xC0) != 0x80) return 0;
    return ((b1 & 0x1F) << 6) | (b2 & 0x3F);
}
} // namespace

TEST(LookupAddress, LetterTableHolds66LettersAsTheirUtf8) {
    int count = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string e = letterEscape(static_cast<unsigned char>(b));
        if (e.empty()) continue;
        ++count;
        EXPECT_GE(b, 0x8A) << b;
        EXPECT_EQ(decodeEscape(e), codePointOf(static_cast<unsigned char>(b))) << b;
    }
    EXPECT_EQ(count, 66);
    for (unsigned char outside : {0x7F, 0x80, 0x8B, 0x9D, 0xA0, 0xBF, 0xD7, 0xDE, 0xDF, 0xF7, 0xFE})
        EXPECT_EQ(letterEscape(outside), "") << int(outside);
}

TEST(LookupAddress, ExamplesOfTheEscaping) {
    EXPECT_EQ(lookupFragment("hus"), "hus/");
    EXPECT_EQ(lookupFragment("r\xF8" "dgr\xF8" "d"), "r%C3%B8dgr%C3%B8d/");
    EXPECT_EQ(lookupFragment("\xC6" "ble"), "%C3%86ble/");
    EXPECT_EQ(lookupFragment("a+b c"), "a%2Bb%20c/");
    EXPECT_EQ(lookupFragment("Stra\xDF" "e"), "Stra?e*/");
    EXPECT_EQ(lookupFragment("   "), "");
    EXPECT_EQ(lookupFragment("\xDF"), "");
    EXPECT_EQ(lookupFragment(" \xDF  + "), ""); // outside letter with only blanks around it
    EXPECT_EQ(lookupFragment("hus\x80"), "hus?*/");
    EXPECT_EQ(lookupFragment("%#?&/"), "%25%23%3F%26%2F/"); // escaped, not passed through
}

TEST(LookupAddress, CaseIsKeptAndBothYDiaeresesAreLetters) {
    EXPECT_EQ(lookupFragment("\xC5\xE5"), "%C3%85%C3%A5/");
    EXPECT_EQ(lookupFragment("\xD8\xF8"), "%C3%98%C3%B8/");
    EXPECT_EQ(lookupFragment("\xC0\xD6\xDD\xE0\xF6\xFD"), "%C3%80%C3%96%C3%9D%C3%A0%C3%B6%C3%BD/");
    EXPECT_EQ(lookupFragment("\xFF"), "%C3%BF/");
    EXPECT_EQ(lookupFragment("\x9F"), "%C5%B8/");
    EXPECT_EQ(lookupFragment("\x8A\x9A\x8C\x9C\x8E\x9E"), "%C5%A0%C5%A1%C5%92%C5%93%C5%BD%C5%BE/");
}

TEST(LookupAddress, ControlBytesInsideTheTextAreSkipped) {
    EXPECT_EQ(lookupFragment("h\tu\ns\x01"), "hus/");
    EXPECT_EQ(lookupFragment(std::string("a\0b", 3)), "ab/");
    EXPECT_EQ(lookupFragment("\t\r\n"), "");
}

TEST(LookupAddress, DefaultTemplatesOnTheDictionaryServer) {
    const PageTemplates t = PageTemplates::defaults();
    EXPECT_EQ(t.LookupModern, "http://www.lemmary.dk/#ordbog/");
    EXPECT_EQ(t.LookupGCF, "gcf:http://www.lemmary.dk/ordbog/");
    EXPECT_EQ(t.ProgramPageModern, "http://www.lemmary.dk/#anvendelse/quiklex/");
    EXPECT_EQ(t.ProgramPageGCF, "gcf:http://www.lemmary.dk/anvendelse/quiklex/");
}

TEST(LookupAddress, TemplateChoiceAndAppending) {
    const PageTemplates t = PageTemplates::defaults();
    EXPECT_EQ(lookupAddress("", "", t, false), t.LookupModern); // no "/" added
    EXPECT_EQ(lookupAddress("", "", t, true), t.LookupGCF);
    EXPECT_EQ(lookupAddress("hus", "", t, false), "http://www.lemmary.dk/#ordbog/hus/");
    EXPECT_EQ(lookupAddress("\xE6" "ble", "", t, true),
              "gcf:http://www.lemmary.dk/ordbog/%C3%A6ble/");
    EXPECT_EQ(lookupAddress("  ", "", t, true), t.LookupGCF);
    EXPECT_EQ(lookupAddress("x", "http://a/", t, true), "http://a/x/");
}

TEST(LookupAddress, HostileTextsStayInsideTheFragment) {
    struct Case {
        const char* text;
        const char* fragment;
    };
    const Case cases[] = {
        {"a\" --some-switch \"", "a%22%20--some-switch%20%22/"},
        {"a\\b<c>d", "a%5Cb%3Cc%3Ed/"},
        {"x'`^{|}", "x%27%60%5E%7B%7C%7D/"},
        {"@evil.example:80", "%40evil.example%3A80/"},
        {"-._~", "-._~/"},
        {"\xF8" "\"\xDF", "%C3%B8%22?*/"},
        {"\"", "%22/"}, // a sign alone still counts as a word
    };
    const PageTemplates t = PageTemplates::defaults();
    for (const Case& c : cases) {
        EXPECT_EQ(lookupFragment(c.text), c.fragment) << c.text;
        EXPECT_TRUE(isAllowedPageAddress(lookupAddress(c.text, "", t, false))) << c.text;
        EXPECT_TRUE(isAllowedChromeFrameAddress(lookupAddress(c.text, "", t, true))) << c.text;
    }
}
