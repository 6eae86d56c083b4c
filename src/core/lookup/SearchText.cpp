// The search text pipeline.
#include "lookup/SearchText.h"

#include <algorithm>

namespace qlx {

void CleanSearchText(std::string& text) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) {
                                  const auto byte = static_cast<unsigned char>(c);
                                  return byte >= 1 && byte <= 31;
                              }),
               text.end());
}

std::string searchTextOf(std::string_view raw) {
    std::string text(raw.substr(0, searchTextExtent(raw)));
    CleanSearchText(text);
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), blank);
    text = std::string(first, last.base());
    if (text.size() > kSearchTextMax) text.resize(kSearchTextMax);
    return text;
}

} // namespace qlx
