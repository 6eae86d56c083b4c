// A settings file's text: Windows-1252 without a mark, UTF-8 and UTF-16 with one, and bytes
// that are not text the program could write back without loss.
#include <gtest/gtest.h>

#include "settings/SettingsText.h"

using namespace qlx;

namespace {
std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}
} // namespace

TEST(SettingsText, EachEncodingReadsAndWritesBackTheSameBytes) {
    // "[Settings]\r\nHotkey=Ctrl+Æ\r\n€" in each encoding.
    const std::string ansi = "[S]\r\nK=\xC6\x80\r\n";
    const struct {
        std::string bytes;
        SettingsEncoding encoding;
    } cases[] = {
        {ansi, SettingsEncoding::Ansi},
        {"\xEF\xBB\xBF[S]\r\nK=\xC3\x86\xE2\x82\xAC\r\n", SettingsEncoding::Utf8},
        {utf16(u"[S]\r\nK=\u00C6\u20AC\r\n", false), SettingsEncoding::Utf16Le},
        {utf16(u"[S]\r\nK=\u00C6\u20AC\r\n", true), SettingsEncoding::Utf16Be},
    };
    for (const auto& c : cases) {
        const std::optional<SettingsText> text = decodeSettingsText(c.bytes);
        ASSERT_TRUE(text) << static_cast<int>(c.encoding);
        EXPECT_EQ(text->text, ansi);
        EXPECT_EQ(text->encoding, c.encoding);
        EXPECT_EQ(encodeSettingsText(text->text, text->encoding), c.bytes);
    }
    EXPECT_EQ(decodeSettingsText("")->encoding, SettingsEncoding::Ansi);
    EXPECT_EQ(decodeSettingsText("\xFF\xFE")->text, "");
}

TEST(SettingsText, WhatCannotBeKeptIsNotText) {
    for (const std::string& bytes : {
             std::string("[S]\0K=1", 7),                        // zero byte without a mark
             std::string("[\0S\0]\0", 6),                       // UTF-16 without its mark
             std::string("\xFF\xFE[\0S", 5),                    // odd length
             utf16(u"K=\u0151", false),                         // not in Windows-1252
             utf16(u"K=\xD83D", false),                         // lone surrogate
             utf16(u"K=\xD83D\xDE00", true),                    // beyond the basic plane
             std::string("\xEF\xBB\xBFK=\xC3"),                 // cut short
             std::string("\xEF\xBB\xBFK=\xC0\x80"),             // over-long
             std::string("\xEF\xBB\xBFK=\xED\xA0\x80"),         // surrogate
             std::string("\xEF\xBB\xBFK=\xC5\x91"),             // not in Windows-1252
         })
        EXPECT_FALSE(decodeSettingsText(bytes)) << bytes;
}
