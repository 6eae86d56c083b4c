// The settings file's storage on Windows: existence tests, whole-file reading and writing
// through a flushed temporary file that is moved over the old one.
#pragma once

#include "settings/SettingsFileSystem.h"

namespace qlx::win {

class WinFileSystem final : public SettingsFileSystem {
public:
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    void createDirectory(const std::string& path) override;
    ReadStatus readFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<WritableFile> createFile(const std::string& path) override;
    // Moves the finished file over the old one in one step, written through to the disk.
    bool replaceFile(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& path) override;
};

} // namespace qlx::win
