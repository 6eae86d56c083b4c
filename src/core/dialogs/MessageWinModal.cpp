// The panel's part in a dialog it owns.
#include "dialogs/MessageWinModal.h"

#include <utility>

namespace qlx {

PanelDialogScope::PanelDialogScope(bool& modalDialogOpen, const bool& onTopActive,
                                   std::function<void(bool)> applyOnTop)
    : modalDialogOpen_(modalDialogOpen), onTopActive_(onTopActive),
      applyOnTop_(std::move(applyOnTop)), wasOpen_(modalDialogOpen) {
    modalDialogOpen_ = true;
    applyOnTop_(false);
}

PanelDialogScope::~PanelDialogScope() {
    try {
        applyOnTop_(onTopActive_);
    } catch (...) {
    }
    modalDialogOpen_ = wasOpen_;
}

} // namespace qlx
