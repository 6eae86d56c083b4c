// Reading the clipboard's text for a lookup.
#include "win32/system/Clipboard.h"

#include <cwchar>

#include "win32/system/Encoding.h"
#include "lookup/SearchText.h"

namespace qlx::win {

namespace {
// Another program may hold the clipboard for a moment right after copying.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 20;

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        for (int i = 0; i < kOpenAttempts && !open_; ++i) {
            if (i > 0) Sleep(kOpenRetryMs);
            open_ = OpenClipboard(owner) != 0;
        }
    }
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

private:
    bool open_ = false;
};
} // namespace

std::wstring_view blockText(const wchar_t* data, SIZE_T bytes) {
    const size_t units = bytes / sizeof(wchar_t);
    const wchar_t* zero = std::wmemchr(data, L'\0', units);
    return {data, zero ? static_cast<size_t>(zero - data) : units};
}

std::string searchTextSource(std::wstring_view text) {
    return narrow(text.substr(0, searchTextExtent(text)));
}

std::optional<std::string> clipboardSearchText(HWND owner) {
    // The system offers 8-bit text in this form too; reading it here keeps the conversion
    // to Windows-1252 ours, whatever the system's code page.
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    OpenClipboardScope clipboard(owner);
    if (!clipboard.open()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) return std::nullopt;
    std::optional<std::string> result;
    try {
        result = searchTextSource(blockText(text, GlobalSize(data)));
    } catch (...) {
    }
    GlobalUnlock(data);
    return result;
}

} // namespace qlx::win
