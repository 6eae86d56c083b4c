// Where search texts come from besides the shortcut: the clipboard, text dropped on the panel
// and text other programs send.
#pragma once

#include <optional>
#include <string>

namespace qlx {

class LookupInputPort {
public:
    virtual ~LookupInputPort() = default;
    // The clipboard's text (Windows-1252), or none (empty, no text, or any trouble).
    virtual std::optional<std::string> clipboardText() = 0;
    // Starts taking dropped text and text from other programs; what arrives goes to the
    // program's lookups (Program::lookups()).
    virtual void startTextInputs() = 0;
};

} // namespace qlx
