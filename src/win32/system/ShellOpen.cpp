// Opening an address with the shell's default action.
#include "win32/system/ShellOpen.h"

#include <shellapi.h>

#include "win32/system/Encoding.h"
#include "lookup/PageAddressCheck.h"

namespace qlx::win {

int32_t ShellOpen::openAddress(const std::string& address) {
    // The core checks addresses before they get here (and allows "gcf:" only for the
    // program's own pages in that mode); checking again keeps any other caller from handing
    // the shell a program, a file or a share.
    if (!isAllowedPageAddress(address) && !isAllowedChromeFrameAddress(address)) return 0;
    HINSTANCE code = ShellExecuteW(owner_, nullptr, widen(address).c_str(), nullptr, nullptr, 0);
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(code));
}

} // namespace qlx::win
