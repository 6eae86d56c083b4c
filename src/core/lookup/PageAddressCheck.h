// Which addresses the program hands to the shell: plain web pages only, parsed rather than
// recognised by their first letters, so that a settings file, a definitions document or a
// message link can neither make the shell start a program, open a file or share, nor slip
// text onto a browser's command line or name a host other than the one it appears to.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qlx {

// The longest address the program opens.
inline constexpr size_t kMaxPageAddressLength = 2048;

// True for "http://" or "https://" (any letter case), a host of ASCII letters, digits, dots
// and hyphens with an optional port, and then a path, query and fragment of printable ASCII
// without blanks, backslashes, quotes or any of < > ^ ` { | }, where "%" always begins a
// valid escape; no user information, at most kMaxPageAddressLength characters.
bool isAllowedPageAddress(std::string_view address);
// "gcf:" (any letter case) in front of an address that isAllowedPageAddress takes: the form of
// the program's own pages in Chrome Frame mode, never of a link from a message.
bool isAllowedChromeFrameAddress(std::string_view address);

// True for an address that passes either check above and has "/", "?" or "#" right after
// its host and port: whatever is appended to it can no longer become part of the host.
bool pageAddressHostClosed(std::string_view address);

// The host of an address that passes either check above, in lower case and without its
// port; none for any other address.
std::optional<std::string> pageAddressHost(std::string_view address);

} // namespace qlx
