// The INI text of the settings file and the shared settings file: parsed into sections of
// untouched lines, changed in memory and written back whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlx {

class IniFile {
  public:
    // Lines end at CR, LF or CR LF and the text ends at a zero byte. Empty lines, ";" lines
    // and lines before the first section are dropped.
    static IniFile parse(std::string_view text);

    // Every section as "[name]", its lines and one empty line, each line ending with CR LF.
    std::string text() const;

    // The first matching section and key count; names are compared without letter case.
    bool hasSection(std::string_view section) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal or "$"/"0x" hexadecimal; anything else gives the default.
    int32_t readInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // The section's lines as stored, or none when there is no such section.
    const std::vector<std::string>* sectionLines(std::string_view section) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    void eraseSection(std::string_view section);

  private:
    struct Section {
        std::string name;
        std::vector<std::string> lines;
    };
    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);

    std::vector<Section> sections_;
};

// The key of an INI line: the text before the first "=", or none without one.
std::optional<std::string_view> iniLineKey(std::string_view line);

} // namespace qlx
