// The ways in to a lookup and their shared pipeline.
#include "lookup/SearchCapture.h"

#include "lookup/OpenWebPage.h"
#include "lookup/SearchText.h"

namespace qlx {

void SearchCapture::openLastSearchText() {
    OpenLookupPage(shell_, messages_, state_.Templates, state_.UseChromeFrame,
                   state_.LastSearchText, {});
}

void SearchCapture::lookUp(std::string_view rawText) {
    try {
        state_.LastSearchText = searchTextOf(rawText);
        openLastSearchText();
    } catch (...) {
    }
}

void SearchCapture::DdeSearchTextPokeData(std::string_view pokedText) {
    try {
        window_.restoreApplication();
        window_.bringAllToFront();
    } catch (...) {
    }
    if (state_.ModalDialogOpen) return;
    lookUp(firstLine(pokedText));
}

void SearchCapture::TextDropTargetDragOver() { drag_.textDragOver(); }

void SearchCapture::TextDropTargetDragLeave() { drag_.textDragEnded(); }

void SearchCapture::TextDropTargetDrop(std::string_view droppedText) {
    try {
        window_.showPanel();
        state_.LastSearchText = searchTextOf(droppedText);
        drag_.textDragEnded();
        openLastSearchText();
        if (!state_.NewMessagesDone && window_.hasReceivedMessages()) window_.showNewMessages();
    } catch (...) {
        drag_.textDragEnded();
    }
}

} // namespace qlx
