// Replacing a file so that a crash or a full disk leaves the old file or the new one, never
// a truncated one.
#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsFileSystem.h"

namespace qlx {

// The temporary file beside `path` that a replacement is written to first.
std::string temporaryFileName(const std::string& path);

// Writes the bytes to the temporary file, flushes and closes it, then swaps it in. On any
// failure the temporary file is removed, `path` is left as it was, and false is returned.
bool writeFileAtomically(SettingsFileSystem& files, const std::string& path,
                         std::string_view bytes);

} // namespace qlx
