// The automatic start on a Linux desktop: the XDG autostart file stands for the program's
// entry in the Run list. The user's list is $XDG_CONFIG_HOME/autostart, the machine's the
// first autostart folder in $XDG_CONFIG_DIRS; each holds at most the program's own entry.
#pragma once

#include "settings/RunListPort.h"

namespace qlx::qt {

class XdgAutostart final : public RunListPort {
public:
    // The file that stands for the entry in a list.
    static std::string desktopFile(RunList list);

    std::optional<std::vector<RunListValue>> values(RunList list, bool forWriting) override;
    bool deleteValue(RunList list, const std::string& name) override;
    bool writeText(RunList list, const std::string& name, const std::string& data) override;
};

} // namespace qlx::qt
