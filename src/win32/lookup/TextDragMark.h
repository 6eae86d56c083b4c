// The panel's mark for text being dragged over it, as the text drop sets it: the panel's
// buttons stay hidden meanwhile.
#pragma once

#include "lookup/SearchCapture.h"

namespace qlx::win {

class TFormMain;

class TextDragMark final : public TextDragPort {
public:
    explicit TextDragMark(TFormMain& form) : form_(form) {}
    void textDragOver() override;
    void textDragEnded() override;

private:
    TFormMain& form_;
};

} // namespace qlx::win
