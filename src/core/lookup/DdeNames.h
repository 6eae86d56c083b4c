// The names other programs use to poke a word to the program over DDE.
#pragma once

#include <string>
#include <string_view>

namespace qlx {

inline constexpr const char* kDdeTopic = "DdeLookup";
inline constexpr const char* kDdeItem = "DdeSearchText";

// The service: the program file's name without folder and from its first "." on, so that a
// renamed copy answers under its own name. Any character width, so that a file name
// outside Windows-1252 keeps its letters.
template <typename Char>
std::basic_string<Char> ddeServiceName(std::basic_string_view<Char> programPath) {
    size_t start = 0;
    for (size_t i = 0; i < programPath.size(); ++i)
        if (programPath[i] == Char('\\') || programPath[i] == Char('/')) start = i + 1;
    std::basic_string_view<Char> name = programPath.substr(start);
    size_t dot = 0;
    while (dot < name.size() && name[dot] != Char('.')) ++dot;
    return std::basic_string<Char>(name.substr(0, dot));
}

} // namespace qlx
