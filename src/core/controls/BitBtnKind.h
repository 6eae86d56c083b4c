// The bitmap button's standard kinds: each brings its caption, modal result and glyph, and the
// help and close kinds do something of their own when clicked. Also where a help click finds
// its topic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qlx {

enum class TBitBtnKind : uint8_t {
    bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll,
};

// The modal results a button can end a modal window with.
enum TModalResult : int32_t {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
    mrNo = 7, mrAll = 8,
};

struct BitBtnKindInfo {
    const char* caption;  // Windows-1252; "&" underlines the access key
    int32_t modalResult;
    const char* glyph;    // the bitmap resource's name; none for the custom kind
    bool isDefault;       // Enter clicks it
    bool isCancel;        // Esc clicks it
};

BitBtnKindInfo bitBtnKindInfo(TBitBtnKind kind);

// What a click does beyond the click event.
enum class BitBtnClick : uint8_t {
    ordinary, // the click event, which ends a modal window with the modal result
    help,     // shows the help topic of the nearest parent with a help context
    close,    // closes the button's window
};
BitBtnClick bitBtnClick(TBitBtnKind kind);

// The help contexts of the button's parents, nearest first (0: none): the position of the
// parent whose topic a help click shows.
std::optional<size_t> nearestHelpContext(const std::vector<uint32_t>& parentContexts);

} // namespace qlx
