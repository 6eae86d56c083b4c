// TFormMessages: the messages window on the window layer. It shows one news message in its
// HTML view, centred on the panel, and closes with OK, Esc or its close box.
#pragma once

#include "win32/forms/FormWindow.h"
#include "win32/messages/MessageView.h"
#include "messages/MessagesForm.h"

namespace qlx::win {

class TFormMessagesWindow final : public TFormWindow, private MessagesWindowPort {
  public:
    TFormMessagesWindow(MessageStore& store, ShellOpenPort& shell, MessageWinPort& messages,
                        HWND panel)
        : TFormWindow(messagesFormLayout()), core_(*this, store, shell, messages), panel_(panel) {}
    ~TFormMessagesWindow() override;
    // Shows the message at index (-1: none) modally; the modal result.
    int32_t showMessage(int32_t index);

  private:
    HWND createWindowedControl(const ControlDesc& desc, HWND parent,
                               const ControlBox& box) override;
    void formShow() override;
    bool formPreTranslate(MSG& msg) override;
    bool formMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void buttonClick(const ControlDesc& button) override;
    void formDpiChanged() override;

    // MessagesWindowPort
    HtmlViewPort& view() override { return holder_->view(); }
    bool useBuiltInView() override { return holder_->useBuiltInView(); }
    void setFillTimer(bool enabled) override;
    void setModalResult(int32_t result) override { TFormWindow::setModalResult(result); }

    TFormMessages core_;
    HWND panel_;
    TMessageViewHolder* holder_ = nullptr; // lives as long as its window
};

} // namespace qlx::win
