// What the settings code needs of the file system: existence tests, whole-file reading,
// writing through a temporary file that is then swapped in, and one-level folder creation.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qlx {

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
    // but cannot be read.
    virtual ReadStatus readFile(const std::string& path, std::string& bytes) = 0;
    // Creates or truncates the file; none when that fails.
    virtual std::unique_ptr<WritableFile> createFile(const std::string& path) = 0;
    // Puts the finished file `from` in the place of `to` in one step, so that `to` is
    // always either the old or the new file.
    virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
    virtual void removeFile(const std::string& path) = 0;
};

} // namespace qlx
