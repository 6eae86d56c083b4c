// Decoding and encoding a settings file's text.
#include "settings/SettingsText.h"

#include <cstdint>

#include "Text.h"

namespace qlx {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool appendCode(std::string& out, uint32_t code) {
    const int byte = windows1252Byte(code);
    if (byte < 0) return false;
    out += static_cast<char>(byte);
    return true;
}

std::optional<std::string> fromUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        size_t length = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + length > bytes.size()) return std::nullopt;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        // Over-long forms and surrogates are not UTF-8.
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            return std::nullopt;
        if (code == 0 || !appendCode(out, code)) return std::nullopt;
        i += length;
    }
    return out;
}

std::optional<std::string> fromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        const uint32_t unit = bigEndian ? (a << 8) | b : (b << 8) | a;
        // Characters beyond the basic plane (surrogate pairs) are not in Windows-1252 either;
        // a lone surrogate is broken text.
        if (unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF) || !appendCode(out, unit))
            return std::nullopt;
    }
    return out;
}

} // namespace

std::optional<SettingsText> decodeSettingsText(std::string_view bytes) {
    std::optional<std::string> text;
    SettingsEncoding encoding = SettingsEncoding::Ansi;
    if (bytes.starts_with(kUtf8Mark)) {
        encoding = SettingsEncoding::Utf8;
        text = fromUtf8(bytes.substr(kUtf8Mark.size()));
    } else if (bytes.starts_with(kUtf16LeMark)) {
        encoding = SettingsEncoding::Utf16Le;
        text = fromUtf16(bytes.substr(kUtf16LeMark.size()), false);
    } else if (bytes.starts_with(kUtf16BeMark)) {
        encoding = SettingsEncoding::Utf16Be;
        text = fromUtf16(bytes.substr(kUtf16BeMark.size()), true);
    } else if (bytes.find('\0') == std::string_view::npos) {
        text = std::string(bytes);
    }
    if (!text) return std::nullopt;
    return SettingsText{std::move(*text), encoding};
}

std::string encodeSettingsText(std::string_view text, SettingsEncoding encoding) {
    std::string out;
    switch (encoding) {
    case SettingsEncoding::Ansi: return std::string(text);
    case SettingsEncoding::Utf8:
        out = kUtf8Mark;
        for (char c : text) {
            const uint32_t code = windows1252Code(static_cast<unsigned char>(c));
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            }
        }
        return out;
    case SettingsEncoding::Utf16Le:
    case SettingsEncoding::Utf16Be: {
        const bool big = encoding == SettingsEncoding::Utf16Be;
        out = big ? kUtf16BeMark : kUtf16LeMark;
        out.reserve(2 + text.size() * 2);
        for (char c : text) {
            const uint32_t code = windows1252Code(static_cast<unsigned char>(c));
            const char high = static_cast<char>(code >> 8);
            const char low = static_cast<char>(code & 0xFF);
            out += big ? high : low;
            out += big ? low : high;
        }
        return out;
    }
    }
    return out;
}

SettingsFileSystem::ReadStatus readSettingsText(SettingsFileSystem& files, const std::string& path,
                                                SettingsText& text) {
    text = SettingsText{};
    std::string bytes;
    const SettingsFileSystem::ReadStatus status = readSettingsFile(files, path, bytes);
    if (status != SettingsFileSystem::ReadStatus::Ok) return status;
    std::optional<SettingsText> decoded = decodeSettingsText(bytes);
    if (!decoded) return SettingsFileSystem::ReadStatus::Failed;
    text = std::move(*decoded);
    return status;
}

} // namespace qlx
