// A secondary window built from the core's form table: panels, labels, shapes, flat and
// check-mark buttons, the shortcut field and the message view, at the table's places (in
// device-independent pixels), with the table's texts, fonts and colours.
#pragma once

#include <QDialog>

#include <map>
#include <string>

#include "forms/AccessibleTree.h"
#include "forms/FormLayout.h"
#include "forms/KeyboardCues.h"
#include "panel/Placement.h"
#include "qt/access/AccessibleSource.h"

namespace qlx::qt {

class FormWindow : public QDialog, public AccessibleSource {
public:
    explicit FormWindow(FormDesc desc);
    ~FormWindow() override;

    const FormDesc& desc() const { return desc_; }
    // A control by its table name; null for other names.
    QWidget* control(std::string_view name) const;
    // Shows the window modally at its first place; the modal result.
    int32_t showModal();
    Dimension bounds() const;
    void setBounds(const Dimension& d);
    // The keyboard's view of the controls: enabled, visible, checked, and which has the focus.
    FormAccState keyboardState() const;
    const KeyboardCues& cues() const { return cues_; }

    // AccessibleSource: the window's tree from its table and its controls' state now.
    AccNode accessibleTree() const override;
    QWidget* accessibleWidget(std::string_view control) const override {
        return this->control(control);
    }
    bool describesWidget(const QWidget& widget) const override;
    QPoint accessibleOrigin() const override { return mapToGlobal(QPoint(0, 0)); }
    void accessibleDefaultAction(const std::string& control) override;

protected:
    // Builds the controls; a subclass may build the windowed ones itself.
    void build();
    virtual QWidget* createWindowedControl(const ControlDesc&, QWidget* /*parent*/) {
        return nullptr;
    }
    virtual void buttonClick(const ControlDesc& button);
    // A character before the controls see it; true when the window handled it.
    virtual bool formKeyPress(char) { return false; }
    virtual bool formCloseQuery() { return true; }
    // The window has closed, by whatever route; result() is how.
    virtual void formClose() {}
    virtual void formShow() {}
    // The window's first place (outer bounds); centred on the screen unless a subclass knows.
    virtual Dimension initialPlace(const Dimension& outer) const;

    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab walk the controls in the table's order.
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void place(const ControlDesc& c, QWidget* w, int parentWidth, int parentHeight);
    void layoutAll();
    // The table's colours, or the desktop's in high contrast: at the start and on a change.
    void applyColours();
    // The cues changed: focus rectangles and underlines are drawn again.
    void applyCues();
    // Alt+letter; true when a control of the window took it.
    bool mnemonic(char letter);

    FormDesc desc_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    bool closingAllowed_ = false;
    KeyboardCues cues_;
    QSize shownSize_; // the size it is shown at, in device-independent pixels
};

// The table's colour as Qt's; kNoColour gives an invalid colour.
QColor qtColour(uint32_t colour);
QFont qtFont(const FontDesc& font);

} // namespace qlx::qt
