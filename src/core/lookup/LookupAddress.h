// The lookup address: a search text escaped for the dictionary's address (every ASCII byte
// but letters, digits and - . _ ~ as its percent-escape, and a fixed table of Windows-1252
// letters as UTF-8 percent-escapes) and appended to a page template.
#pragma once

#include <string>
#include <string_view>

#include "state/PageTemplates.h"

namespace qlx {

// The UTF-8 percent-escape of a Windows-1252 letter of the table (À-Ö, Ø-Ý, à-ö, ø-ý, ÿ, and
// Š Œ Ž š œ ž Ÿ), upper-case hexadecimal; empty for any other byte.
std::string letterEscape(unsigned char letter);

// The text to append to a template: the escaped text and "/", with "*" before the "/" when a
// letter outside the table had to become "?". Empty when the text holds nothing that
// counts as a word (only spaces, plus signs, control bytes and letters outside the table).
std::string lookupFragment(std::string_view searchText);

// The address OpenLookupPage opens: pageTemplate, or the current mode's lookup template when
// it is empty, with the search text's fragment appended.
std::string lookupAddress(std::string_view searchText, std::string_view pageTemplate,
                          const PageTemplates& templates, bool useChromeFrame);

} // namespace qlx
