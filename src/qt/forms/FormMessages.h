// The messages window: one news message in a view that loads nothing, beside the panel; Esc
// and "Luk" close it.
#pragma once

#include <QTimer>

#include "messages/MessagesForm.h"
#include "qt/forms/FormWindow.h"

namespace qlx::qt {

class MessageView;

class TFormMessagesWindow final : public FormWindow, private MessagesWindowPort {
public:
    TFormMessagesWindow(MessageStore& store, ShellOpenPort& shell, MessageWinPort& messages,
                        Dimension panel);
    int32_t showMessage(int32_t index);

private:
    // MessagesWindowPort
    HtmlViewPort& view() override;
    bool useBuiltInView() override { return false; }
    void setFillTimer(bool enabled) override;
    void setModalResult(int32_t result) override { done(result); }

    QWidget* createWindowedControl(const ControlDesc& desc, QWidget* parent) override;
    void buttonClick(const ControlDesc& button) override;
    bool formKeyPress(char key) override;
    void formShow() override { core_.FormShow(); }
    Dimension initialPlace(const Dimension& outer) const override;

    TFormMessages core_;
    Dimension panel_;
    MessageView* view_ = nullptr;
    QTimer fill_;
};

} // namespace qlx::qt
