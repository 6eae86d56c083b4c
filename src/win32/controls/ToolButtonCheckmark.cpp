// Drawing the mark in the toolbar's custom-draw notifications.
#include "win32/controls/ToolButtonCheckmark.h"

#include "win32/controls/CheckmarkPainter.h"
#include "win32/system/WorkArea.h"
#include "Scale.h"

namespace qlx::win {

TToolButtonCheckmarkControl::TToolButtonCheckmarkControl(HWND toolbar, int commandId)
    : toolbar_(toolbar), commandId_(commandId) {
    model.OnRepaint = [this] { invalidate(); };
}

bool TToolButtonCheckmarkControl::customDraw(const NMHDR& header, LRESULT& result) const {
    if (header.hwndFrom != toolbar_ || header.code != static_cast<UINT>(NM_CUSTOMDRAW))
        return false;
    const auto& draw = reinterpret_cast<const NMTBCUSTOMDRAW&>(header);
    result = CDRF_DODEFAULT;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
    } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
               draw.nmcd.dwItemSpec == static_cast<DWORD_PTR>(commandId_)) {
        const RECT& r = draw.nmcd.rc;
        const int saved = SaveDC(draw.nmcd.hdc);
        // The mark at the scale of the monitor the toolbar is on.
        const int dpi = windowDpi(toolbar_);
        paintOps(draw.nmcd.hdc, model.markPaint(MulDiv(r.right - r.left, kDesignDpi, dpi), dpi),
                 r.left, r.top);
        RestoreDC(draw.nmcd.hdc, saved);
    }
    return true;
}

void TToolButtonCheckmarkControl::invalidate() const {
    RECT r{};
    const LRESULT index = SendMessageW(toolbar_, TB_COMMANDTOINDEX, commandId_, 0);
    if (index >= 0 && SendMessageW(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&r)))
        InvalidateRect(toolbar_, &r, TRUE);
}

} // namespace qlx::win
