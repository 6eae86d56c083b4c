// The form controls the Linux windows draw themselves: the flat button that raises a frame
// under the mouse, the check-mark button drawn from the core's mark, the faint bevel lines,
// and the shortcut field.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstdint>

namespace qlx {
class TSpeedButtonCheckmark;
}

namespace qlx::qt {

class FlatButton final : public QPushButton {
public:
    FlatButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

class CheckmarkButton final : public QAbstractButton {
public:
    CheckmarkButton(const QString& caption, uint8_t faintLines, QWidget* parent);
    // The box whose state the button shows; it repaints the button when it changes.
    void bind(TSpeedButtonCheckmark& box);
    void unbind();
    const TSpeedButtonCheckmark* box() const { return box_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // What readers were last told; a change is announced.
    void announceState();

    TSpeedButtonCheckmark* box_ = nullptr;
    uint8_t faintLines_;
    bool toldChecked_ = false;
    bool toldEnabled_ = true;
};

class BevelLinesWidget final : public QWidget {
public:
    BevelLinesWidget(uint8_t faintLines, QWidget* parent) : QWidget(parent), lines_(faintLines) {}

protected:
    void paintEvent(QPaintEvent*) override;

private:
    uint8_t lines_;
};

// The shortcut field: takes a key with Ctrl, Alt or Shift+Ctrl and shows it as the program
// writes shortcuts ("Shift+Ctrl+C"); a key alone or with Shift alone becomes Shift+Ctrl with
// it, Enter and Esc never become the shortcut.
class HotKeyEdit final : public QLineEdit {
public:
    explicit HotKeyEdit(QWidget* parent);
    uint16_t shortcut() const { return shortcut_; }
    void setShortcut(uint16_t shortcut);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    uint16_t shortcut_ = 0;
};

// The Windows virtual key of a Qt key, 0 where there is none.
uint8_t virtualKeyOfQtKey(int key);

} // namespace qlx::qt
