#include "qt/system/XdgSystemInfo.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "qt/system/Encoding.h"

namespace qlx::qt {

namespace {
std::string fromUtf8(const char* text) { return toCp1252(QString::fromUtf8(text)); }
} // namespace

std::optional<std::string> XdgSystemInfo::userName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name && *entry->pw_name)
        return fromUtf8(entry->pw_name);
    if (const char* user = std::getenv("USER"); user && *user) return fromUtf8(user);
    return std::nullopt;
}

std::optional<std::string> XdgSystemInfo::computerName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return std::nullopt;
    return fromUtf8(name);
}

std::optional<std::string> XdgSystemInfo::environmentVariable(const std::string& name) {
    const char* value = std::getenv(cp1252ToUtf8(name).c_str());
    if (value == nullptr) return std::nullopt;
    return fromUtf8(value);
}

std::optional<bool> XdgSystemInfo::userCanAddFiles(const std::string& folder) {
    if (::access(cp1252ToUtf8(folder).c_str(), W_OK | X_OK) == 0) return true;
    if (errno == EACCES || errno == EROFS) return false;
    return std::nullopt;
}

} // namespace qlx::qt
