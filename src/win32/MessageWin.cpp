// The message dialog's windows and modal loop.
#include "MessageWin.h"

#include "Encoding.h"

namespace qlx::win {

int32_t showMessageWin(HWND owner, const std::string& text, const std::string& caption,
                       TMsgDlgType, int32_t buttonSet) {
    UINT buttons = buttonSet == 0 ? MB_OK : buttonSet == 1 || buttonSet < 0 ? MB_OKCANCEL
                                                                            : MB_YESNO;
    int r = MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(),
                        buttons | MB_ICONWARNING | MB_TASKMODAL);
    switch (r) {
    case IDOK: return kResultOk;
    case IDYES: return kResultYes;
    case IDNO: return kResultNo;
    default: return kResultCancel;
    }
}

} // namespace qlx::win
