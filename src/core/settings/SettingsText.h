// The text of a settings file as the program reads and writes it: Windows-1252 without a mark
// (as the program writes it), and UTF-8 or UTF-16 with a byte-order mark (as an editor or an
// administrator's tool may save it), written back in the encoding it was read in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsFileSystem.h"

namespace qlx {

enum class SettingsEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct SettingsText {
    std::string text; // Windows-1252
    SettingsEncoding encoding = SettingsEncoding::Ansi;
};

// The file's bytes as Windows-1252 text. None when they are not text the program can keep:
// a zero byte without a mark (UTF-16 without one, or binary data), broken UTF-8 or UTF-16, or
// a character that Windows-1252 lacks (written back, it would be lost).
std::optional<SettingsText> decodeSettingsText(std::string_view bytes);

// The bytes of Windows-1252 text in an encoding, with its mark where it has one.
std::string encodeSettingsText(std::string_view text, SettingsEncoding encoding);

// Reads a settings file as text (readSettingsFile, then decodeSettingsText): Failed also for
// bytes that are not text the program can keep, so that such a file is never written over.
SettingsFileSystem::ReadStatus readSettingsText(SettingsFileSystem& files, const std::string& path,
                                                SettingsText& text);

} // namespace qlx
