// Whole-file replacement through a temporary file in the same folder.
#include "settings/AtomicFile.h"

namespace qlx {

std::string temporaryFileName(const std::string& path) {
    return path + ".tmp";
}

bool writeFileAtomically(SettingsFileSystem& files, const std::string& path,
                         std::string_view bytes) {
    const std::string temporary = temporaryFileName(path);
    bool ok = false;
    {
        std::unique_ptr<WritableFile> file = files.createFile(temporary);
        if (!file) return false;
        ok = file->write(bytes);
        ok = ok && file->flush();
        // Closed even after a failure, so that the temporary file can be removed.
        ok = file->close() && ok;
    }
    ok = ok && files.replaceFile(temporary, path);
    if (!ok) files.removeFile(temporary);
    return ok;
}

} // namespace qlx
