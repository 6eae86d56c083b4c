// The message dialog's modal rules: while the panel owns a dialog, the panel counts as busy
// with a modal window and leaves the topmost band so that the dialog cannot end up behind
// it; a dialog with any other owner is kept in front by a timer instead.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace qlx {

// Lives from before the dialog is built until after it is destroyed, also when building or
// showing it fails. On leaving, the panel goes back to the band OnTopActive selects (read
// then, so a change made while the dialog was open counts) and ModalDialogOpen gets back the
// value it had, so a dialog inside another modal step does not end that step early.
class PanelDialogScope {
public:
    PanelDialogScope(bool& modalDialogOpen, const bool& onTopActive,
                     std::function<void(bool onTop)> applyOnTop);
    ~PanelDialogScope();
    PanelDialogScope(const PanelDialogScope&) = delete;
    PanelDialogScope& operator=(const PanelDialogScope&) = delete;

private:
    bool& modalDialogOpen_;
    const bool& onTopActive_;
    std::function<void(bool)> applyOnTop_;
    bool wasOpen_;
};

// TimerZorder's tag: the dialog it keeps in front, as the window layer names it. One at a
// time: a nested dialog takes the tag over and, when it closes, the timer stops.
class DialogInFront {
public:
    void hold(uintptr_t dialog) { tag_ = dialog; }
    void release() { tag_.reset(); }
    bool timerEnabled() const { return tag_.has_value(); }
    // The dialog to give the keyboard focus on a tick, if it has lost it.
    std::optional<uintptr_t> TimerZorderTimer(uintptr_t activeWindow) const {
        if (tag_ && *tag_ != activeWindow) return tag_;
        return std::nullopt;
    }

private:
    std::optional<uintptr_t> tag_;
};

} // namespace qlx
