// The message dialog's font and text measured as the core's dialog layout takes them (the
// dialog and the tests that check its texts fit share this one measurement).
#pragma once

#include <QFont>
#include <QString>

#include "dialogs/MessageWinLayout.h"

namespace qlx::qt {

MessageWinMeasures messageWinMeasures(const QFont& font, const QString& text,
                                      const ScreenRect& screen);

} // namespace qlx::qt
