// The registry's Run lists of the current user and of the machine, as the automatic start
// reads and writes them.
#pragma once

#include "settings/RunListPort.h"

namespace qlx::win {

class WinRunList final : public RunListPort {
public:
    std::optional<std::vector<RunListValue>> values(RunList list, bool forWriting) override;
    bool deleteValue(RunList list, const std::string& name) override;
    bool writeText(RunList list, const std::string& name, const std::string& data) override;
};

} // namespace qlx::win
