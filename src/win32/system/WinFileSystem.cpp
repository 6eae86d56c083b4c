// Settings file storage through the wide file API.
#include "win32/system/WinFileSystem.h"

#include <windows.h>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {

DWORD attributesOf(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(widen(path).c_str());
}

class WinWritableFile final : public WritableFile {
public:
    explicit WinWritableFile(HANDLE file) : file_(file) {}
    ~WinWritableFile() override { close(); }
    WinWritableFile(const WinWritableFile&) = delete;
    WinWritableFile& operator=(const WinWritableFile&) = delete;

    bool write(std::string_view bytes) override {
        if (file_ == INVALID_HANDLE_VALUE) return false;
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }
    bool flush() override {
        return file_ != INVALID_HANDLE_VALUE && FlushFileBuffers(file_) != 0;
    }
    bool close() override {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        const bool ok = CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE file_;
};

} // namespace

bool WinFileSystem::fileExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::directoryExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WinFileSystem::createDirectory(const std::string& path) {
    if (!path.empty()) CreateDirectoryW(widen(path).c_str(), nullptr);
}

SettingsFileSystem::ReadStatus WinFileSystem::readFile(const std::string& path,
                                                       std::string& bytes) {
    bytes.clear();
    if (path.empty()) return ReadStatus::Missing;
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder of that name is no settings file, but it is not a missing one either.
        if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
             error == ERROR_INVALID_NAME) &&
            attributesOf(path) == INVALID_FILE_ATTRIBUTES)
            return ReadStatus::Missing;
        return ReadStatus::Failed;
    }
    // Read to the end rather than trusting the size, but never past the limit: a file that
    // grows while it is read is refused like one that was too large from the start.
    ReadStatus status = ReadStatus::Ok;
    char chunk[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &n, nullptr)) {
            status = ReadStatus::Failed;
            break;
        }
        if (n == 0) break;
        if (bytes.size() + n > kMaxSettingsFileBytes) {
            status = ReadStatus::Failed;
            break;
        }
        bytes.append(chunk, n);
    }
    CloseHandle(file);
    if (status != ReadStatus::Ok) bytes.clear();
    return status;
}

std::unique_ptr<WritableFile> WinFileSystem::createFile(const std::string& path) {
    if (path.empty()) return nullptr;
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WinWritableFile>(file);
}

bool WinFileSystem::replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void WinFileSystem::removeFile(const std::string& path) {
    if (!path.empty()) DeleteFileW(widen(path).c_str());
}

} // namespace qlx::win
