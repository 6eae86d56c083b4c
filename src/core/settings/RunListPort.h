// The registry's "Run" lists (the current user's and the machine-wide one) as the automatic
// start needs them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qlx {

enum class RunList { CurrentUser, Machine };

struct RunListValue {
    std::string name;
    bool isText = true; // string data (plain or expandable); other kinds are not ours
    std::string data;
};

class RunListPort {
  public:
    virtual ~RunListPort() = default;
    // Every value of the list, opened read-only or for writing. A list that does not exist
    // is empty; none when the list cannot be opened with the access asked for.
    virtual std::optional<std::vector<RunListValue>> values(RunList list, bool forWriting) = 0;
    virtual bool deleteValue(RunList list, const std::string& name) = 0;
    // Writes a plain string value, creating the list's key if needed.
    virtual bool writeText(RunList list, const std::string& name, const std::string& data) = 0;
};

} // namespace qlx
