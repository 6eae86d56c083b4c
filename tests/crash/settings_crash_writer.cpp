// The settings save under SIGKILL: saves the settings file in a tight loop through the core's
// store and atomic replace, over a POSIX file port that takes the same steps as the Windows
// one, so that tests/crash/settings_kill.sh can kill it at random moments and check the file.
//   settings_crash_writer init <file>   write the first of the two contents
//   settings_crash_writer loop <file>   save the two contents by turns until killed
//   settings_crash_writer check <file>  exit 0 when the file (and its backup, if any) is
//                                       exactly one of the two contents; prints "A" or "B",
//                                       and "+tmp" when a temporary file was left behind
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "FakeSettingsPorts.h"
#include "Text.h"
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "settings/SettingsStore.h"

namespace {

// Create in the same folder, write, fsync, close, then rename over the old file and fsync
// the folder: the steps of the Windows adapter's write-through move.
class PosixFiles : public qlx::SettingsFileSystem {
  public:
    bool fileExists(const std::string& path) override {
        struct stat s {};
        return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
    }
    bool directoryExists(const std::string& path) override {
        struct stat s {};
        return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
    }
    void createDirectory(const std::string& path) override { mkdir(path.c_str(), 0755); }
    ReadStatus readFile(const std::string& path, std::string& bytes) override {
        bytes.clear();
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
        char chunk[65536];
        ReadStatus status = ReadStatus::Ok;
        for (;;) {
            const ssize_t n = read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 || bytes.size() + static_cast<size_t>(n) > qlx::kMaxSettingsFileBytes) {
                status = ReadStatus::Failed;
                break;
            }
            if (n == 0) break;
            bytes.append(chunk, static_cast<size_t>(n));
        }
        ::close(fd);
        if (status != ReadStatus::Ok) bytes.clear();
        return status;
    }

    class File : public qlx::WritableFile {
      public:
        explicit File(int fd) : fd_(fd) {}
        ~File() override { close(); }
        bool write(std::string_view bytes) override {
            while (!bytes.empty()) {
                const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) return false;
                bytes.remove_prefix(static_cast<size_t>(n));
            }
            return true;
        }
        bool flush() override { return fsync(fd_) == 0; }
        bool close() override {
            if (fd_ < 0) return true;
            const bool ok = ::close(fd_) == 0;
            fd_ = -1;
            return ok;
        }

      private:
        int fd_;
    };
    std::unique_ptr<qlx::WritableFile> createFile(const std::string& path) override {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return nullptr;
        return std::make_unique<File>(fd);
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        if (rename(from.c_str(), to.c_str()) != 0) return false;
        const size_t slash = to.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : to.substr(0, slash + 1);
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return false;
        const bool ok = fsync(fd) == 0;
        ::close(fd);
        return ok;
    }
    void removeFile(const std::string& path) override { unlink(path.c_str()); }
};

class StderrReporter : public qlx::SettingsReporter {
  public:
    void showMessage(const std::string& text, const std::string&, qlx::SettingsMessageKind,
                     bool) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

// A user's file with a few kilobytes of other sections, which every save keeps.
std::string otherSections() {
    std::string text = "[ShownMessages]\r\n";
    for (int i = 1; i <= 80; ++i)
        text += "m" + std::to_string(i) + "=2024-" + std::to_string(1 + i % 12) + "-" +
                std::to_string(1 + i % 28) + "T08:15:00\r\n";
    text += "\r\n[Various]\r\nStartDelay=5\r\n\r\n[Noter]\r\n";
    for (int i = 1; i <= 20; ++i)
        text += "linje" + std::to_string(i) + "=En note om ordbogen, nummer " + std::to_string(i) +
                "\r\n";
    return text + "\r\n";
}

qlx::SettingsValues valuesA() {
    qlx::SettingsValues v;
    v.MinimizeStart = false;
    v.Hotkey = qlx::kDefaultShortcut;
    const std::string query(300, 'q');
    v.ProgramPageModern = "http://ordbog.example/quiklex/?from=" + query;
    v.ProgramPageGCF = "gcf:http://ordbog.example/quiklex/?from=" + query;
    v.LookupModern = "http://ordbog.example/soeg?q=%s&extra=" + query;
    v.LookupGCF = "gcf:http://ordbog.example/soeg?q=%s&extra=" + query;
    v.Position.FromTop = 12;
    v.Position.FromLeft = 40;
    return v;
}

qlx::SettingsValues valuesB() {
    qlx::SettingsValues v;
    v.MinimizeStart = true;
    v.SysTrayIcon = false;
    v.AlwaysOnTop = false;
    v.Hotkey = qlx::kShortcutAlt | 0x7B; // Alt+F12
    v.ProgramPageModern = "https://b.example/";
    v.ProgramPageGCF = "gcf:https://b.example/";
    v.LookupModern = "https://b.example/?q=%s";
    v.LookupGCF = "gcf:https://b.example/?q=%s";
    v.Position.FromBottom = 0;
    v.Position.FromRight = -3;
    return v;
}

struct Contents {
    std::string a, b;
};

Contents expectedContents() {
    FakeFileSystem files;
    files.allDirectoriesExist = true;
    StderrReporter reporter;
    qlx::SettingsStore store(files, reporter);
    store.SettingsFilePath = "settings.ini";
    files.files[store.SettingsFilePath] = otherSections();
    Contents c;
    store.SaveSettings(valuesA());
    c.a = files.files[store.SettingsFilePath];
    store.SaveSettings(valuesB());
    c.b = files.files[store.SettingsFilePath];
    return c;
}

// "A", "B", or empty for a file that is neither.
std::string whichContent(PosixFiles& files, const std::string& path, const Contents& expected) {
    std::string bytes;
    if (files.readFile(path, bytes) != qlx::SettingsFileSystem::ReadStatus::Ok) return {};
    const qlx::IniFile ini = qlx::IniFile::parse(bytes);
    if (ini.readString("Settings", "PrgVersion", "") != qlx::programVersion ||
        !ini.hasSection("MainForm") || !ini.hasSection("ShownMessages"))
        return {};
    if (bytes == expected.a) return "A";
    if (bytes == expected.b) return "B";
    return {};
}

int check(const std::string& path) {
    PosixFiles files;
    const Contents expected = expectedContents();
    const std::string found = whichContent(files, path, expected);
    const std::string backup = qlx::makeBackupFileName(path);
    const bool backupGood =
        !files.fileExists(backup) || !whichContent(files, backup, expected).empty();
    if (found.empty() || !backupGood) {
        std::string bytes;
        files.readFile(found.empty() ? path : backup, bytes);
        std::printf("torn %s: %zu bytes (expected %zu or %zu)\n", found.empty() ? "file" : "backup",
                    bytes.size(), expected.a.size(), expected.b.size());
        return 1;
    }
    std::printf("%s%s\n", found.c_str(),
                files.fileExists(qlx::temporaryFileName(path)) ? " +tmp" : "");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s init|loop|check <file>\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1], path = argv[2];
    if (mode == "check") return check(path);

    PosixFiles files;
    StderrReporter reporter;
    if (mode == "init") {
        const Contents expected = expectedContents();
        std::printf("%zu and %zu bytes\n", expected.a.size(), expected.b.size());
        return qlx::writeFileAtomically(files, path, expected.a) ? 0 : 1;
    }
    if (mode != "loop") return 2;
    qlx::SettingsStore store(files, reporter);
    store.SettingsFilePath = path;
    const qlx::SettingsValues contents[2] = {valuesB(), valuesA()};
    std::printf("saving\n");
    std::fflush(stdout);
    for (unsigned long i = 0;; ++i)
        if (!store.SaveSettings(contents[i % 2])) return 1;
}
