// Which addresses the program hands to the shell: web pages only, so that a settings file,
// a definitions document or a message link cannot make the shell start a program or open a
// file or share.
#pragma once

#include <string_view>

namespace qlx {

// True for an address that begins with "http:" or "https:", or with "gcf:" followed by one
// of those, letter case ignored. Nothing may come before the scheme, not even a blank.
bool isAllowedPageAddress(std::string_view address);

} // namespace qlx
