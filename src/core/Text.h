// Small text helpers shared by the core: 8-bit Windows-1252 strings, integer parsing and
// ASCII case folding as the program's settings and command line need them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qlx {

// The program's name, the caption of its message dialogs and the application title.
inline constexpr const char* programTitle = "Quiklex";
// The program's version (the project's, from the build); stored versions and message
// versions are compared to it byte-wise.
#ifndef QLX_VERSION
#error "QLX_VERSION comes from the build"
#endif
inline constexpr const char* programVersion = QLX_VERSION;

// Lower-cases A-Z only; other bytes (Windows-1252 letters included) stay as they are.
std::string lowerAscii(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);

// Reads a whole 32-bit integer: leading spaces, an optional sign, then decimal digits or
// hexadecimal digits after "$", "0x" or "0X". Anything else, trailing text included, or a
// value outside the 32-bit range gives no value.
std::optional<int32_t> parseInteger(std::string_view text);

// Byte-wise comparison of two texts as unsigned codes, a prefix sorting first
// (so "0.10.0" < "0.6.0").
int compareBytes(std::string_view a, std::string_view b);

// The Windows-1252 byte of a Unicode code point, or -1 where the code page has none.
int windows1252Byte(uint32_t code);
// The Unicode code point of a Windows-1252 byte (the five unassigned bytes stand for
// themselves, as Windows converts them).
uint32_t windows1252Code(unsigned char byte);
// Appends the percent-escapes of a code point's UTF-8 bytes, as a web address carries a
// character ("%C5%91").
void appendUtf8Escapes(std::string& out, uint32_t code);

} // namespace qlx
