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
    // What is selected now, without copying it (X11's primary selection), or none (nothing
    // selected, no owner, or a desktop without such a selection).
    virtual std::optional<std::string> selectionText() { return std::nullopt; }
    // Starts taking dropped text and text from other programs; what arrives goes to the
    // program's lookups (Program::lookups()).
    virtual void startTextInputs() = 0;
};

} // namespace qlx
