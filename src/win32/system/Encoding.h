// Conversions between the program's Windows-1252 text and the wide text of the Win32 API.
#pragma once

#include <string>
#include <string_view>

namespace qlx::win {

// Windows-1252 bytes to UTF-16, whatever the system's ANSI code page.
std::wstring widen(std::string_view text);
// UTF-16 to Windows-1252 without best-fit substitution: a character that Windows-1252 lacks
// becomes the byte 0x81, which Windows-1252 leaves unassigned, so it never turns silently into
// another letter.
std::string narrow(std::wstring_view text);

} // namespace qlx::win
