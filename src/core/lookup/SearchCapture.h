// The ways a word comes in to be looked up (the clipboard after the shortcut or a second
// start, a DDE poke, a text drop) and their rules while one of the program's dialogs is
// open. All of them end in the same pipeline and open the current mode's lookup page.
#pragma once

#include <string_view>

#include "app/FormMainCore.h"
#include "app/FormMainPort.h"
#include "lookup/ShellOpenPort.h"
#include "panel/MessageWinPort.h"

namespace qlx {

// The panel's mark for text being dragged over it, which keeps its buttons hidden.
class TextDragPort {
public:
    virtual ~TextDragPort() = default;
    // The buttons are not wanted, at once.
    virtual void textDragOver() = 0;
    virtual void textDragEnded() = 0;
};

class SearchCapture {
public:
    SearchCapture(FormMainCore& form, FormMainPort& window, ShellOpenPort& shell,
                  MessageWinPort& messages, TextDragPort& drag)
        : form_(form), window_(window), shell_(shell), messages_(messages), drag_(drag) {}

    // The pipeline: the cleaned, trimmed and cut text becomes LastSearchText and is looked
    // up. Nothing thrown inside leaves it.
    void lookUp(std::string_view rawText);

    // A poke to the DDE item: the program comes forward; unless a dialog is open, the
    // first line is looked up.
    void DdeSearchTextPokeData(std::string_view pokedText);

    void TextDropTargetDragOver();
    void TextDropTargetDragLeave();
    // A drop is looked up even while a dialog is open.
    void TextDropTargetDrop(std::string_view droppedText);

private:
    void openLastSearchText();

    FormMainCore& form_;
    FormMainPort& window_;
    ShellOpenPort& shell_;
    MessageWinPort& messages_;
    TextDragPort& drag_;
};

} // namespace qlx
