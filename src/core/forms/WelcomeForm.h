// The welcome window of a user's very first start: its layout, and the rule that only its two
// buttons close it. The answer chooses between modern browsers and the older Internet
// Explorer versions (the Chrome Frame mode).
#pragma once

#include <cstdint>

#include "forms/FormLayout.h"

namespace qlx {

inline constexpr int kWelcomeClientWidth = 349;
inline constexpr int kWelcomeClientHeight = 265;

FormDesc welcomeFormLayout();

class TFormWelcome {
public:
    bool ClosingByButton = false;
    int32_t ModalResult = 0;

    void FormShow() { ClosingByButton = false; }
    void ButtonYesClick();
    void ButtonNoClick();
    // Only the two buttons may close the window: the close box, Alt+F4 and any other close
    // request are refused.
    bool FormCloseQuery() const { return ClosingByButton; }
    // The choice the window closed with: true for "IE 7, 8, 9".
    bool UseChromeFrame() const;
};

} // namespace qlx
