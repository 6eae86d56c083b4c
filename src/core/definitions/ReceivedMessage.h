// One news message of the definitions document, as the download hands it to the main window.
#pragma once

#include <string>
#include <vector>

namespace qlx {

struct ReceivedMessage {
    std::string timestamp; // the message's identity and sort key
    std::string text;      // HTML, may be empty
    bool shown = false;
};

using ReceivedMessageList = std::vector<ReceivedMessage>;

} // namespace qlx
