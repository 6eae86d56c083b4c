// The settings file, the registry and the stored position, on the main window.
#include "FormMain.h"

namespace qlx::win {

bool TFormMain::settingsMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

} // namespace qlx::win
