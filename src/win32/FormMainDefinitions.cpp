// The definitions download thread and its completion on the GUI thread, on the main window.
#include "FormMain.h"

namespace qlx::win {

bool TFormMain::definitionsMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

} // namespace qlx::win
