// The standard kinds' table.
#include "controls/BitBtnKind.h"

namespace qlx {

BitBtnKindInfo bitBtnKindInfo(TBitBtnKind kind) {
    switch (kind) {
    case TBitBtnKind::bkCustom: break;
    case TBitBtnKind::bkOK: return {"OK", mrOk, "BBOK", true, false};
    case TBitBtnKind::bkCancel: return {"Cancel", mrCancel, "BBCANCEL", false, true};
    case TBitBtnKind::bkHelp: return {"&Help", mrNone, "BBHELP", false, false};
    case TBitBtnKind::bkYes: return {"&Yes", mrYes, "BBYES", true, false};
    case TBitBtnKind::bkNo: return {"&No", mrNo, "BBNO", false, true};
    case TBitBtnKind::bkClose: return {"&Close", mrNone, "BBCLOSE", false, false};
    case TBitBtnKind::bkAbort: return {"Abort", mrAbort, "BBABORT", false, false};
    case TBitBtnKind::bkRetry: return {"&Retry", mrRetry, "BBRETRY", false, false};
    case TBitBtnKind::bkIgnore: return {"&Ignore", mrIgnore, "BBIGNORE", false, false};
    case TBitBtnKind::bkAll: return {"&All", mrAll, "BBALL", false, false};
    }
    return {"", mrNone, nullptr, false, false};
}

BitBtnClick bitBtnClick(TBitBtnKind kind) {
    if (kind == TBitBtnKind::bkHelp) return BitBtnClick::help;
    if (kind == TBitBtnKind::bkClose) return BitBtnClick::close;
    return BitBtnClick::ordinary;
}

std::optional<size_t> nearestHelpContext(const std::vector<uint32_t>& parentContexts) {
    for (size_t i = 0; i < parentContexts.size(); ++i)
        if (parentContexts[i] != 0) return i;
    return std::nullopt;
}

} // namespace qlx
