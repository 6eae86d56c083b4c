// The program's internal commands: the values of its registered window message. A second
// start, the notification-area icon and the features post them; the main window carries
// them out.
#pragma once

#include <cstdint>

namespace qlx {

// lParam values of the program's registered message.
enum ProductCommand : int32_t {
    kCmdInstanceSignal = 0,
    kCmdNothing = 1,
    kCmdFirstStartOfVersion = 2,
    kCmdHotKeyProblem = 3,
    kCmdMinimize = 4,
    kCmdWithWParam = 5, // wParam says what
    kCmdTrayLeftUp = 514,
    kCmdTrayRightUp = 517,
    // The icon's keyboard events (wParam: its screen point).
    kCmdTraySelect = 0x400,
    kCmdTrayKeySelect = 0x401,
    kCmdTrayContextMenu = 0x7B,
};

// wParam values that go with lParam 5.
enum ProductCommandWParam : uint16_t {
    kShowNewMessages = 1,
    kOpenSettings = 2,
    kWelcomeFlow = 3,
    kOpenInfoPage = 4,
    kSaveSettings = 5,
    kDesktopLimitsNotice = 6,
};

} // namespace qlx
