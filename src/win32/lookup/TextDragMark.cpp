// The text drop's mark on the panel.
#include "win32/lookup/TextDragMark.h"

#include "win32/app/FormMain.h"

namespace qlx::win {

void TextDragMark::textDragOver() { form_.panel().textDragOver(); }
void TextDragMark::textDragEnded() { form_.panel().textDragEnded(); }

} // namespace qlx::win
