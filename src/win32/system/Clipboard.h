// Text from the clipboard and from other programs' 16-bit text, cut to the part a lookup can
// use before it is converted to Windows-1252.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qlx::win {

// The wide text in a memory block: up to its first zero, never past the block's end.
std::wstring_view blockText(const wchar_t* data, SIZE_T bytes);

// The beginning of a wide text that decides its search text, in Windows-1252.
std::string searchTextSource(std::wstring_view text);

// The deciding beginning of the clipboard's text; none when the clipboard holds no text or
// cannot be opened.
std::optional<std::string> clipboardSearchText(HWND owner);

} // namespace qlx::win
