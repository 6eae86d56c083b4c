// The Windows key messages that Qt's key events stand for, as the keyboard cues take them.
#include "qt/system/KeyCues.h"

#include <QApplication>

namespace qlx::qt {

namespace {

constexpr uint32_t kKeyDown = 0x0100;    // WM_KEYDOWN
constexpr uint32_t kSysKeyDown = 0x0104; // WM_SYSKEYDOWN
constexpr uint32_t kSysKeyUp = 0x0105;   // WM_SYSKEYUP
constexpr uint32_t kVkTab = 0x09;
constexpr uint32_t kVkAlt = 0x12;

bool keyboardLast = false;

class InputNotes final : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            keyboardLast = true;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            keyboardLast = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool cueKey(KeyboardCues& cues, const QKeyEvent& event) {
    const bool press = event.type() == QEvent::KeyPress;
    const int key = event.key();
    if (key == Qt::Key_Alt) {
        // Alt with Ctrl (typing a character) is no system key, and brings no underlines.
        if (press && (event.modifiers() & Qt::ControlModifier)) return false;
        return cues.key(press ? kSysKeyDown : kSysKeyUp, kVkAlt);
    }
    if (!press) return false;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return cues.key(kKeyDown, kVkTab);
    if (key >= Qt::Key_Left && key <= Qt::Key_Down)
        return cues.key(kKeyDown, static_cast<uint32_t>(0x25 + key - Qt::Key_Left));
    return false;
}

char mnemonicLetter(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    if (!(m & Qt::AltModifier) || (m & (Qt::ControlModifier | Qt::MetaModifier))) return 0;
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<char>('a' + key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<char>('0' + key - Qt::Key_0);
    return 0;
}

void noteInputs() {
    static InputNotes notes;
    static bool installed = false;
    if (installed || !qApp) return;
    qApp->installEventFilter(&notes);
    installed = true;
}

bool lastInputFromKeyboard() {
    return keyboardLast;
}

} // namespace qlx::qt
