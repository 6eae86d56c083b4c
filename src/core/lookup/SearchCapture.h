// The ways a word comes in to be looked up (the clipboard after the shortcut or a second
// start, a DDE poke, a text drop) and their rules while one of the program's dialogs is
// open. All of them end in the same pipeline and open the current mode's lookup page.
#pragma once

#include <string_view>

#include "lookup/ShellOpenPort.h"
#include "dialogs/MessageWinPort.h"
#include "state/ProgramState.h"

namespace qlx {

// The panel's mark for text being dragged over it, which keeps its buttons hidden.
class TextDragPort {
public:
    virtual ~TextDragPort() = default;
    // The buttons are not wanted, at once.
    virtual void textDragOver() = 0;
    virtual void textDragEnded() = 0;
};

// What the ways in need of the main window.
class SearchCapturePort {
public:
    virtual ~SearchCapturePort() = default;
    virtual void restoreApplication() = 0;
    // The main window to the foreground, then the program's other visible windows.
    virtual void bringAllToFront() = 0;
    // ShowPanel without the clipboard lookup.
    virtual void showPanel() = 0;
    // The definitions download has handed its news messages over.
    virtual bool hasReceivedMessages() = 0;
    virtual void showNewMessages() = 0;
};

class SearchCapture {
public:
    SearchCapture(ProgramState& state, SearchCapturePort& window, ShellOpenPort& shell,
                  MessageWinPort& messages, TextDragPort& drag)
        : state_(state), window_(window), shell_(shell), messages_(messages), drag_(drag) {}

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

    ProgramState& state_;
    SearchCapturePort& window_;
    ShellOpenPort& shell_;
    MessageWinPort& messages_;
    TextDragPort& drag_;
};

} // namespace qlx
