// The search text pipeline every way of looking a word up shares: control characters out,
// spaces trimmed, the first 50 bytes kept. Also the first-line rule for texts other programs
// send, and how much of a long text the pipeline can look at, so huge inputs cost no more
// than the part that decides the result.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qlx {

inline constexpr size_t kSearchTextMax = 50;

// Removes every byte from 1 to 31; lines therefore run together with no separator.
void CleanSearchText(std::string& text);

// Clean, trim bytes of 32 or less at both ends, keep the first 50 bytes.
std::string searchTextOf(std::string_view raw);

// The text before the first line break (CR or LF).
template <typename Char> std::basic_string_view<Char> firstLine(std::basic_string_view<Char> text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == Char('\r') || text[i] == Char('\n')) return text.substr(0, i);
    return text;
}

// The length of the beginning of text that decides searchTextOf: the leading bytes that are
// trimmed, then the first 50 kept characters, then up to the next character above 32 (which
// tells that the trailing trim cannot reach into the kept part). With 16-bit text a
// surrogate pair counts as one character, as it becomes one byte in Windows-1252; every
// other character keeps its place below or above 32 and its control-character status when
// converted, so converting only this beginning gives the same search text.
template <typename Char> size_t searchTextExtent(std::basic_string_view<Char> text) {
    auto code = [&](size_t i) { return static_cast<unsigned long>(text[i]); };
    auto isControl = [](unsigned long c) { return c >= 1 && c <= 31; };
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && code(i) <= 32) ++i;
    size_t kept = 0;
    while (i < n && kept < kSearchTextMax) {
        const unsigned long c = code(i);
        ++i;
        if (isControl(c)) continue;
        if constexpr (sizeof(Char) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i < n && code(i) >= 0xDC00 && code(i) <= 0xDFFF) ++i;
        }
        ++kept;
    }
    while (i < n && code(i) <= 32) ++i;
    return i < n ? i + 1 : n;
}

} // namespace qlx
