// Explicit code page 1252 conversions at the Windows boundary.
#include "win32/system/Encoding.h"

#include <windows.h>

namespace qlx::win {

namespace {
constexpr UINT kCodePage = 1252;
}

std::wstring widen(std::string_view text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    // One character at a time, so that an unmappable one is marked instead of guessed.
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        // A pair is one character; a lone high surrogate must not swallow what follows it.
        int units = (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                     text[i + 1] <= 0xDFFF)
                        ? 2
                        : 1;
        char byte = 0;
        BOOL usedDefault = FALSE;
        int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &text[i], units, &byte, 1,
                                    nullptr, &usedDefault);
        out.push_back(n == 1 && !usedDefault ? byte : '\x81');
        i += static_cast<size_t>(units - 1);
    }
    return out;
}

} // namespace qlx::win
