#include "qt/controls/FormControls.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>

#include "controls/BitBtnColorPaint.h"
#include "controls/ButtonCheckmark.h"
#include "forms/KeyboardCues.h"
#include "qt/system/DesktopColours.h"
#include "qt/system/Encoding.h"
#include "settings/ShortcutText.h"

namespace qlx::qt {

namespace {

QColor colourOf(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// The core's primitives on a painter, in the control's pixels.
void paintOps(QPainter& p, const PaintOps& ops) {
    for (const PaintOp& op : ops) {
        const QColor c = colourOf(op.colour);
        switch (op.kind) {
        case PaintOp::Kind::Pixel: p.fillRect(op.x0, op.y0, 1, 1, c); break;
        case PaintOp::Kind::Line: {
            // One pixel wide; the end point is not drawn.
            const int dx = op.x1 > op.x0 ? 1 : op.x1 < op.x0 ? -1 : 0;
            const int dy = op.y1 > op.y0 ? 1 : op.y1 < op.y0 ? -1 : 0;
            for (int x = op.x0, y = op.y0; x != op.x1 || y != op.y1; x += dx, y += dy)
                p.fillRect(x, y, 1, 1, c);
            break;
        }
        case PaintOp::Kind::FillRect:
            p.fillRect(op.x0, op.y0, op.x1 - op.x0 + 1, op.y1 - op.y0 + 1, c);
            break;
        case PaintOp::Kind::FrameRect:
            p.setPen(c);
            p.setBrush(Qt::NoBrush);
            p.drawRect(op.x0, op.y0, op.x1 - op.x0, op.y1 - op.y0);
            break;
        case PaintOp::Kind::Polygon: {
            QPolygon polygon;
            for (const PaintPoint& pt : op.points) polygon << QPoint(pt.x, pt.y);
            p.setPen(c);
            p.setBrush(c);
            p.drawPolygon(polygon);
            break;
        }
        }
    }
}

// The face the faint lines are worked out from: the system's usual light grey, or in high
// contrast the scheme's button face.
uint32_t faintFace(const ColourScheme& scheme) {
    return scheme.highContrast() ? scheme(ColourRole::buttonFace) : 0xF0F0F0;
}

} // namespace

bool ButtonCues::focusShown(bool focused) const {
    return cues ? cues->focusRect(focused) : focused;
}

QString ButtonCues::shownCaption(int& flags) const {
    if (cues && mnemonic != 0 && cues->underlines()) {
        flags |= Qt::TextShowMnemonic;
        return fromCp1252(prefixedCaption(caption, mnemonic));
    }
    return fromCp1252(caption);
}

FlatButton::FlatButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFlat(true);
    setAttribute(Qt::WA_Hover);
    // Enter is the window's own key (the settings window's OK, the message view's link).
    setAutoDefault(false);
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const ColourScheme& scheme = colours();
    // The caption's colour is the table's (or, in high contrast, the system's button text),
    // never the desktop palette's: the button stands on the window's fixed colours.
    const QColor text = qtColourOf(isEnabled() ? scheme.text(textColour, true)
                                               : scheme(ColourRole::disabledText));
    if (underMouse() || keys.focusShown(hasFocus()) || isDown()) {
        p.setPen(scheme.highContrast() ? text
                 : isDown()            ? QColor(0x80, 0x80, 0x80)
                                       : QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    p.setPen(text);
    p.setFont(font());
    int flags = Qt::AlignCenter;
    const QString caption = keys.caption.empty() ? this->text() : keys.shownCaption(flags);
    p.drawText(rect().translated(isDown() ? 1 : 0, isDown() ? 1 : 0), flags, caption);
}

CheckmarkButton::CheckmarkButton(const QString& caption, uint8_t faintLines, QWidget* parent)
    : QAbstractButton(parent), faintLines_(faintLines) {
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
}

void CheckmarkButton::bind(TSpeedButtonCheckmark& box) {
    box_ = &box;
    toldChecked_ = box.Checked();
    toldEnabled_ = box.Enabled();
    box.OnRepaint = [this] {
        update();
        announceState();
    };
    update();
}

void CheckmarkButton::announceState() {
    if (!box_) return;
    QAccessible::State changed;
    changed.checked = box_->Checked() != toldChecked_;
    changed.disabled = box_->Enabled() != toldEnabled_;
    toldChecked_ = box_->Checked();
    toldEnabled_ = box_->Enabled();
    if (!changed.checked && !changed.disabled) return;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void CheckmarkButton::unbind() {
    if (box_) box_->OnRepaint = nullptr;
    box_ = nullptr;
}

bool CheckmarkButton::boxEnabled() const { return !box_ || box_->Enabled(); }
bool CheckmarkButton::boxChecked() const { return box_ && box_->Checked(); }

void CheckmarkButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const ColourScheme& scheme = colours();
    const bool enabled = boxEnabled();
    if (box_) {
        paintOps(p, box_->markPaint(width(), 96, checkmarkColours(scheme)));
        const uint32_t face = faintFace(scheme);
        paintOps(p, faintLinesPaint(static_cast<TFaintLines>(faintLines_), width(), height(),
                                    faintEdgeColour(face, kSpeedButtonFaintPercent)));
    }
    const QColor text =
        qtColourOf(enabled ? scheme.text(box_ ? box_->FontColour : 0, false)
                           : scheme(ColourRole::disabledText));
    p.setFont(font());
    p.setPen(text);
    int flags = Qt::AlignLeft | Qt::AlignVCenter;
    const QString caption = keys.caption.empty() ? this->text() : keys.shownCaption(flags);
    p.drawText(rect().adjusted(kCheckmarkCaptionMargin, 0, 0, 0), flags, caption);
    if (keys.focusShown(hasFocus())) {
        p.setPen(QPen(text, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(kCheckmarkCaptionMargin - 2, 1, -1, -2));
    }
}

ColourButton::ColourButton(const QString& caption, uint32_t face, QWidget* parent)
    : QPushButton(caption, parent), face_(face) {}

void ColourButton::paintEvent(QPaintEvent*) {
    BitBtnState state;
    state.width = width();
    state.height = height();
    state.enabled = isEnabled();
    state.pressed = isDown();
    state.focused = hasFocus();
    // In a dialog the focused button is the default one; without the focus, the default.
    state.showAsDefault = state.focused || isDefault();
    state.focusRect = !cues || cues->focusRect(true);
    const BitBtnPaint plan = planBitBtnPaint(state);
    const ButtonColours drawn = buttonColours(colours(), face_,
                                              colourEntry(ColourRole::buttonText).normal,
                                              state.enabled);
    const QColor face = qtColourOf(drawn.face);
    const QColor text = qtColourOf(drawn.text);
    QPainter p(this);
    if (plan.frame) {
        p.setPen(qtColourOf(drawn.frame));
        p.setBrush(Qt::NoBrush);
        p.drawRect(qrect(*plan.frame).adjusted(0, 0, -1, -1));
    }
    p.fillRect(qrect(plan.fill), face);
    if (!highlight_) highlight_ = highlightColour(static_cast<uint32_t>(
                         face.red() | face.green() << 8 | face.blue() << 16));
    p.fillRect(plan.lineLeft, plan.lineY, plan.lineRight - plan.lineLeft, 1,
               colourOf(*highlight_));
    p.setPen(text);
    p.setFont(font());
    p.drawText(qrect(plan.content), Qt::AlignCenter, this->text());
    if (plan.focus) {
        p.setPen(QPen(text, 1, Qt::DotLine));
        p.drawRect(qrect(*plan.focus).adjusted(0, 0, -1, -1));
    }
}

void BevelLinesWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const uint32_t face = faintFace(colours());
    paintOps(p, faintLinesPaint(static_cast<TFaintLines>(lines_), width(), height(),
                                faintEdgeColour(face, kBevelFaintPercent)));
}

uint8_t virtualKeyOfQtKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint8_t>('A' + key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint8_t>('0' + key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint8_t>(0x70 + key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Pause: return 0x13;
    default: return 0;
    }
}

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
}

void HotKeyEdit::setShortcut(uint16_t shortcut) {
    shortcut_ = shortcut;
    setText(fromCp1252(shortcutDisplayText(shortcut, KeyNameSource{})));
}

void HotKeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Enter and Esc belong to the window; Tab moves on.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
        key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    const uint8_t vk = virtualKeyOfQtKey(key);
    if (vk == 0) return; // a modifier alone, or a key without a name here
    const Qt::KeyboardModifiers m = event->modifiers();
    uint16_t mods = 0;
    if (m & Qt::ShiftModifier) mods |= 0x2000;
    if (m & Qt::ControlModifier) mods |= 0x4000;
    if (m & Qt::AltModifier) mods |= 0x8000;
    // A key alone or with Shift alone gets Shift+Ctrl, as the Windows field gives it.
    if (mods == 0 || mods == 0x2000) mods = 0x2000 | 0x4000;
    setShortcut(static_cast<uint16_t>(mods | vk));
}

} // namespace qlx::qt
