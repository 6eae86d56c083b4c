// The form controls the Linux windows draw themselves: the flat button that raises a frame
// under the mouse, the check-mark button drawn from the core's mark, the faint bevel lines,
// and the shortcut field.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

#include "panel/PanelLayout.h"

namespace qlx {
class KeyboardCues;
class TSpeedButtonCheckmark;
} // namespace qlx

namespace qlx::qt {

// A box of the core's layouts as Qt's rectangle.
inline QRect qrect(const ControlBox& b) { return QRect(b.left, b.top, b.width, b.height); }

// What a drawn button shows of the keyboard: its window's cues (the focus rectangle after
// keyboard use, the mnemonic's underline while Alt is held); without cues, the focus always.
struct ButtonCues {
    const KeyboardCues* cues = nullptr;
    std::string caption; // Windows-1252
    char mnemonic = 0;
    bool focusShown(bool focused) const;
    // The caption to draw, with "&" before the underlined letter when it shows, and the flag
    // that draws it so.
    QString shownCaption(int& flags) const;
};

class FlatButton final : public QPushButton {
public:
    FlatButton(const QString& caption, QWidget* parent);
    ButtonCues keys;
    uint32_t textColour = 0; // the table's

protected:
    void paintEvent(QPaintEvent*) override;
};

class CheckmarkButton final : public QAbstractButton {
public:
    CheckmarkButton(const QString& caption, uint8_t faintLines, QWidget* parent);
    // The box whose state the button shows; it repaints the button when it changes.
    void bind(TSpeedButtonCheckmark& box);
    void unbind();
    // The box's own state, which Tab and the mnemonics pass by when it is off.
    bool boxEnabled() const;
    bool boxChecked() const;
    ButtonCues keys;

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

// The message dialog's colour button: its face, frame, highlight line and focus rectangle as
// the core plans a colour button's paint, in the scheme's colours.
class ColourButton final : public QPushButton {
public:
    ColourButton(const QString& caption, uint32_t face, QWidget* parent);
    const KeyboardCues* cues = nullptr;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    uint32_t face_;
    std::optional<uint32_t> highlight_; // worked out at the first paint and kept
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
