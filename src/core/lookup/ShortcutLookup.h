// What the lookup shortcut looks up: where the desktop has a selection (X11's primary), what
// is selected now, without copying it, and the clipboard when nothing is selected; the
// clipboard alone where the user turned that off or the desktop has no such selection.
#pragma once

#include <optional>
#include <string>

#include "lookup/LookupInputPort.h"

namespace qlx {

// lookupSelection: the setting, none where the desktop has no selection to look up. A
// selection that the search text pipeline would leave empty (spaces, line breaks) counts as
// nothing selected. None when neither has text.
std::optional<std::string> shortcutLookupText(std::optional<bool> lookupSelection,
                                              LookupInputPort& inputs);

} // namespace qlx
