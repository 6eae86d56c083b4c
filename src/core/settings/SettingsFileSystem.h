// What the settings code needs of the file system: existence tests, whole-file reading,
// writing through a temporary file that is then swapped in, and one-level folder creation.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qlx {

// Settings files hold a few kilobytes; a larger one is refused rather than read whole.
inline constexpr size_t kMaxSettingsFileBytes = 16 * 1024 * 1024;

// An open file being written; every call reports whether it worked.
class WritableFile {
  public:
    virtual ~WritableFile() = default;
    virtual bool write(std::string_view bytes) = 0;
    // Pushes the written bytes to the disk (not merely to the system's cache).
    virtual bool flush() = 0;
    virtual bool close() = 0;
};

class SettingsFileSystem {
  public:
    enum class ReadStatus { Ok, Missing, Failed };

    virtual ~SettingsFileSystem() = default;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool directoryExists(const std::string& path) = 0;
    // One level; whether it worked is not looked at.
    virtual void createDirectory(const std::string& path) = 0;
    // The file's bytes unchanged; Missing when there is no such file, Failed when it exists
    // but cannot be read or is larger than kMaxSettingsFileBytes.
    virtual ReadStatus readFile(const std::string& path, std::string& bytes) = 0;
    // Creates or truncates the file; none when that fails.
    virtual std::unique_ptr<WritableFile> createFile(const std::string& path) = 0;
    // Puts the finished file `from` in the place of `to` in one step, so that `to` is
    // always either the old or the new file.
    virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
    virtual void removeFile(const std::string& path) = 0;
};

// readFile with the size limit enforced whatever the adapter does.
inline SettingsFileSystem::ReadStatus
readSettingsFile(SettingsFileSystem& files, const std::string& path, std::string& bytes) {
    const SettingsFileSystem::ReadStatus status = files.readFile(path, bytes);
    if (status == SettingsFileSystem::ReadStatus::Ok && bytes.size() > kMaxSettingsFileBytes) {
        bytes.clear();
        return SettingsFileSystem::ReadStatus::Failed;
    }
    return status;
}

} // namespace qlx
