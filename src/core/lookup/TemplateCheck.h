// Which page templates the program takes from a definitions document or its settings file:
// only addresses on the dictionary's own domain, so that one tampered download cannot send
// every later lookup (the text the user selected) to another host.
#pragma once

#include <string_view>

namespace qlx {

// The domain of the dictionary's web server (kDictionaryHost lies in it).
inline constexpr const char* kDictionaryDomain = "lemmary.dk";

// True when the template passes the page-address check, its host is the dictionary's domain
// itself or a name under it, letter case ignored, and "/", "?" or "#" follows the host (and
// port), so that the search text appended to it stays out of the host.
bool isDictionaryTemplate(std::string_view pageTemplate);

} // namespace qlx
