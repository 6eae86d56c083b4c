#include "qt/dialogs/MessageMeasures.h"

#include <QFontMetrics>

namespace qlx::qt {

MessageWinMeasures messageWinMeasures(const QFont& font, const QString& text,
                                      const ScreenRect& screen) {
    MessageWinMeasures m;
    m.screen = screen;
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m.averageCharWidth = (letters / 26 + 1) / 2;
    m.charHeight = metrics.height();
    const QRect r = metrics.boundingRect(QRect(0, 0, messageTextWrapWidth(screen), 100000),
                                         Qt::TextWordWrap | Qt::TextExpandTabs, text);
    m.textWidth = r.width();
    m.textHeight = r.height();
    // The window manager's frame lies outside the client area that Qt places.
    m.frameWidth = 0;
    m.frameHeight = 0;
    return m;
}

} // namespace qlx::qt
