// A secondary window built from the core's form table: panels, labels, shapes, flat and
// check-mark buttons, the shortcut field and the message view, at the table's places (in
// device-independent pixels), with the table's texts, fonts and colours.
#pragma once

#include <QDialog>

#include <map>
#include <string>

#include "forms/FormLayout.h"
#include "panel/Placement.h"

namespace qlx::qt {

class FormWindow : public QDialog {
public:
    explicit FormWindow(FormDesc desc);

    const FormDesc& desc() const { return desc_; }
    // A control by its table name; null for other names.
    QWidget* control(std::string_view name) const;
    // Shows the window modally at its first place; the modal result.
    int32_t showModal();
    Dimension bounds() const;
    void setBounds(const Dimension& d);

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
    virtual void formShow() {}
    // The window's first place (outer bounds); centred on the screen unless a subclass knows.
    virtual Dimension initialPlace(const Dimension& outer) const;

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void place(const ControlDesc& c, QWidget* w, int parentWidth, int parentHeight);
    void addMnemonic(const ControlDesc& c);
    void layoutAll();

    FormDesc desc_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    bool closingAllowed_ = false;
    QSize shownSize_; // the size it is shown at, in device-independent pixels
};

// The table's colour as Qt's; kNoColour gives an invalid colour.
QColor qtColour(uint32_t colour);
QFont qtFont(const FontDesc& font);

} // namespace qlx::qt
