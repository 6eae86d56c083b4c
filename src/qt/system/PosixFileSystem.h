// The settings files on a POSIX file system: UTF-8 on disk, Windows-1252 to the program,
// written through a temporary file that is synced and renamed over the old one.
#pragma once

#include "settings/SettingsFileSystem.h"

namespace qlx::qt {

class PosixFileSystem final : public SettingsFileSystem {
public:
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    void createDirectory(const std::string& path) override;
    ReadStatus readFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<WritableFile> createFile(const std::string& path) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& path) override;
};

} // namespace qlx::qt
