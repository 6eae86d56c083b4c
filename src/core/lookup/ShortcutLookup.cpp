// The shortcut's text: the selection first where that is wanted, else the clipboard.
#include "lookup/ShortcutLookup.h"

#include "lookup/SearchText.h"

namespace qlx {

std::optional<std::string> shortcutLookupText(std::optional<bool> lookupSelection,
                                              LookupInputPort& inputs) {
    if (lookupSelection.value_or(false)) {
        std::optional<std::string> selected = inputs.selectionText();
        if (selected && !searchTextOf(*selected).empty()) return selected;
    }
    return inputs.clipboardText();
}

} // namespace qlx
