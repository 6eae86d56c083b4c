#include "qt/system/PosixFileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "qt/system/Encoding.h"

namespace qlx::qt {

namespace {

bool isType(const std::string& path, mode_t type) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == type;
}

// The file system works in UTF-8 names; the program's paths are Windows-1252.
std::string nativePath(const std::string& path) { return cp1252ToUtf8(path); }

class PosixWritableFile final : public WritableFile {
public:
    explicit PosixWritableFile(int fd) : fd_(fd) {}
    ~PosixWritableFile() override { close(); }
    bool write(std::string_view bytes) override {
        const std::string utf8 = cp1252ToUtf8(bytes);
        size_t done = 0;
        while (done < utf8.size()) {
            const ssize_t n = ::write(fd_, utf8.data() + done, utf8.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }
    bool flush() override { return fd_ >= 0 && ::fsync(fd_) == 0; }
    bool close() override {
        if (fd_ < 0) return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

} // namespace

bool PosixFileSystem::fileExists(const std::string& path) {
    return isType(nativePath(path), S_IFREG);
}

bool PosixFileSystem::directoryExists(const std::string& path) {
    return isType(nativePath(path), S_IFDIR);
}

void PosixFileSystem::createDirectory(const std::string& path) {
    ::mkdir(nativePath(path).c_str(), 0700);
}

SettingsFileSystem::ReadStatus PosixFileSystem::readFile(const std::string& path,
                                                         std::string& bytes) {
    bytes.clear();
    const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    std::string raw;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || raw.size() > kMaxSettingsFileBytes) {
            ::close(fd);
            return ReadStatus::Failed;
        }
        if (n == 0) break;
        raw.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    bytes = fileBytesToCp1252(raw);
    return ReadStatus::Ok;
}

std::unique_ptr<WritableFile> PosixFileSystem::createFile(const std::string& path) {
    const int fd =
        ::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWritableFile>(fd);
}

bool PosixFileSystem::replaceFile(const std::string& from, const std::string& to) {
    const std::string target = nativePath(to);
    if (::rename(nativePath(from).c_str(), target.c_str()) != 0) return false;
    // The rename itself reaches the disk with its folder.
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void PosixFileSystem::removeFile(const std::string& path) { ::unlink(nativePath(path).c_str()); }

} // namespace qlx::qt
