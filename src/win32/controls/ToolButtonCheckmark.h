// The check mark on a toolbar button: the toolbar's custom drawing lets the mark be drawn
// into the button's place before the toolbar draws the button over it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "controls/ButtonCheckmark.h"

namespace qlx::win {

class TToolButtonCheckmarkControl {
public:
    // The button with that command identifier on toolbar.
    TToolButtonCheckmarkControl(HWND toolbar, int commandId);
    TToolButtonCheckmark model;

    // The toolbar's custom-draw notification, as its parent receives it: true when it was
    // this toolbar's, with the answer in result.
    bool customDraw(const NMHDR& header, LRESULT& result) const;
    void invalidate() const;

private:
    HWND toolbar_;
    int commandId_;
};

} // namespace qlx::win
