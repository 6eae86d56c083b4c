// The INI text format shared by the settings file and the shared settings file.
#include "settings/IniFile.h"

#include "Text.h"

namespace qlx {

namespace {

// A line break or a zero byte inside a name or value would split the line when the file is
// read again and could smuggle in keys or sections (page templates come from the network),
// so such bytes are dropped on writing.
std::string lineSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    return out;
}

} // namespace

std::optional<std::string_view> iniLineKey(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return line.substr(0, eq);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    const size_t end = text.find('\0');
    if (end != std::string_view::npos) text = text.substr(0, end);

    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t stop = text.find_first_of("\r\n", pos);
        if (stop == std::string_view::npos) stop = text.size();
        const std::string_view line = text.substr(pos, stop - pos);
        pos = stop;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;

        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            ini.sections_.push_back({std::string(line.substr(1, line.size() - 2)), {}});
            current = &ini.sections_.back();
        } else if (current) {
            current->lines.emplace_back(line);
        }
    }
    return ini;
}

std::string IniFile::text() const {
    std::string out;
    for (const Section& section : sections_) {
        out += '[';
        out += section.name;
        out += "]\r\n";
        for (const std::string& line : section.lines) {
            out += line;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& section : sections_)
        if (equalsNoCase(section.name, name)) return &section;
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (Section& section : sections_)
        if (equalsNoCase(section.name, name)) return &section;
    return nullptr;
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section);
}

const std::vector<std::string>* IniFile::sectionLines(std::string_view section) const {
    const Section* found = findSection(section);
    return found ? &found->lines : nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (!found) return std::nullopt;
    for (const std::string& line : found->lines) {
        const auto lineKey = iniLineKey(line);
        if (lineKey && equalsNoCase(*lineKey, key)) return line.substr(lineKey->size() + 1);
    }
    return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    auto found = value(section, key);
    return found ? *found : std::string(defaultValue);
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                             int32_t defaultValue) const {
    const auto found = value(section, key);
    if (!found) return defaultValue;
    return parseInteger(*found).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string safeKey = lineSafe(key);
    const std::string line = safeKey + "=" + lineSafe(value);
    Section* found = findSection(section);
    if (!found) {
        sections_.push_back({lineSafe(section), {}});
        found = &sections_.back();
    }
    for (std::string& existing : found->lines) {
        const auto lineKey = iniLineKey(existing);
        if (lineKey && equalsNoCase(*lineKey, safeKey)) {
            existing = line;
            return;
        }
    }
    found->lines.push_back(line);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int32_t value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it) {
        if (equalsNoCase(it->name, section)) {
            sections_.erase(it);
            return;
        }
    }
}

} // namespace qlx
