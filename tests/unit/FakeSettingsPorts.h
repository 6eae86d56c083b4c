// In-memory file system, system information, Run lists and message recorder for the
// settings tests. The file system can be told to fail at any step of a write.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "Text.h"
#include "settings/RunListPort.h"
#include "settings/SettingsFileSystem.h"
#include "settings/SettingsReporter.h"
#include "settings/SystemInfoPort.h"

class FakeFileSystem : public qlx::SettingsFileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> directories;
    bool allDirectoriesExist = false; // every folder asked for is there
    std::set<std::string> unreadable;
    std::vector<std::string> createdDirectories;
    // Fail at the n-th call (1-based) of a step; 0 never fails. A failed write stores half
    // of its bytes first, as a full disk would.
    int failCreateAt = 0, failWriteAt = 0, failFlushAt = 0, failCloseAt = 0, failReplaceAt = 0;
    int creates = 0, writes = 0, flushes = 0, closes = 0, replaces = 0;
    std::vector<std::string> removed;

    bool fileExists(const std::string& path) override {
        return files.count(path) || unreadable.count(path);
    }
    bool directoryExists(const std::string& path) override {
        return allDirectoriesExist || directories.count(path);
    }
    void createDirectory(const std::string& path) override {
        createdDirectories.push_back(path);
        const size_t slash = path.find_last_of("\\/");
        if (slash != std::string::npos && directories.count(path.substr(0, slash)))
            directories.insert(path);
    }
    ReadStatus readFile(const std::string& path, std::string& bytes) override {
        if (unreadable.count(path)) return ReadStatus::Failed;
        auto it = files.find(path);
        if (it == files.end()) return ReadStatus::Missing;
        bytes = it->second;
        return ReadStatus::Ok;
    }

    class File : public qlx::WritableFile {
      public:
        File(FakeFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
        bool write(std::string_view bytes) override {
            if (++fs_.writes == fs_.failWriteAt) {
                fs_.files[path_] += std::string(bytes.substr(0, bytes.size() / 2));
                return false;
            }
            fs_.files[path_] += std::string(bytes);
            return true;
        }
        bool flush() override { return ++fs_.flushes != fs_.failFlushAt; }
        bool close() override { return ++fs_.closes != fs_.failCloseAt; }

      private:
        FakeFileSystem& fs_;
        std::string path_;
    };

    std::unique_ptr<qlx::WritableFile> createFile(const std::string& path) override {
        if (++creates == failCreateAt) return nullptr;
        files[path].clear();
        return std::make_unique<File>(*this, path);
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        if (++replaces == failReplaceAt || !files.count(from)) return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void removeFile(const std::string& path) override {
        removed.push_back(path);
        files.erase(path);
    }
};

class FakeSystemInfo : public qlx::SystemInfoPort {
  public:
    std::optional<std::string> user = "bruger1";
    std::optional<std::string> computer = "pc7";
    std::map<std::string, std::string> environment;
    bool shellFolders = true;
    std::string shellAppData = "C:\\Data\\Roaming";
    std::string registryAppData;
    // The program's folder is the administrator's unless a test says otherwise.
    std::optional<bool> folderWritable = false;
    std::vector<std::string> foldersAsked;

    std::optional<std::string> userName() override { return user; }
    std::optional<std::string> computerName() override { return computer; }
    std::optional<std::string> environmentVariable(const std::string& name) override {
        auto it = environment.find(name);
        if (it == environment.end()) return std::nullopt;
        return it->second;
    }
    bool hasShellFolders() override { return shellFolders; }
    std::string shellAppDataFolder() override { return shellAppData; }
    std::string registryAppDataFolder() override { return registryAppData; }
    std::optional<bool> userCanAddFiles(const std::string& folder) override {
        foldersAsked.push_back(folder);
        return folderWritable;
    }
};

struct ShownMessage {
    std::string text, caption;
    qlx::SettingsMessageKind kind;
    bool ownedByMainWindow;
};

class FakeReporter : public qlx::SettingsReporter {
  public:
    std::vector<ShownMessage> messages;
    bool* modalFlag = nullptr;
    bool modalWhileShown = false;
    void showMessage(const std::string& text, const std::string& caption,
                     qlx::SettingsMessageKind kind, bool owned) override {
        if (modalFlag) modalWhileShown = *modalFlag;
        messages.push_back({text, caption, kind, owned});
    }
};

class FakeRunLists : public qlx::RunListPort {
  public:
    std::vector<qlx::RunListValue> user, machine;
    bool userUnreadable = false, machineUnreadable = false, userReadOnly = false;
    bool failDelete = false, failWrite = false;
    std::vector<std::string> deleted;

    std::vector<qlx::RunListValue>& of(qlx::RunList list) {
        return list == qlx::RunList::CurrentUser ? user : machine;
    }
    std::optional<std::vector<qlx::RunListValue>> values(qlx::RunList list,
                                                         bool forWriting) override {
        const bool isUser = list == qlx::RunList::CurrentUser;
        if (isUser ? userUnreadable : machineUnreadable) return std::nullopt;
        if (isUser && forWriting && userReadOnly) return std::nullopt;
        return of(list);
    }
    bool deleteValue(qlx::RunList list, const std::string& name) override {
        if (failDelete) return false;
        auto& values = of(list);
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (qlx::equalsNoCase(it->name, name)) {
                deleted.push_back(it->name);
                values.erase(it);
                return true;
            }
        }
        return false;
    }
    bool writeText(qlx::RunList list, const std::string& name, const std::string& data) override {
        if (failWrite) return false;
        for (auto& value : of(list)) {
            if (qlx::equalsNoCase(value.name, name)) {
                value = {name, true, data};
                return true;
            }
        }
        of(list).push_back({name, true, data});
        return true;
    }
};
