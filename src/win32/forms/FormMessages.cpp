// The messages window: its view, its place beside the panel, its fill timer and its keys.
#include "win32/forms/FormMessages.h"

#include "win32/system/WorkArea.h"

namespace qlx::win {

namespace {
constexpr UINT_PTR kTimerFill = 1;
}

TFormMessagesWindow::~TFormMessagesWindow() {
    if (handle()) KillTimer(handle(), kTimerFill);
    // The view goes with the window, after this object's logic: it raises nothing from now on.
    if (holder_) holder_->events = {};
}

int32_t TFormMessagesWindow::showMessage(int32_t index) {
    core_.CurrentIndex = index;
    return showModal();
}

HWND TFormMessagesWindow::createWindowedControl(const ControlDesc& desc, HWND parent,
                                                const ControlBox& box) {
    if (desc.kind != ControlKind::HtmlView) return nullptr;
    holder_ = TMessageViewHolder::create(parent, box, dpi());
    if (!holder_) return nullptr;
    holder_->events.documentComplete = [this] { core_.CppWebBrowser1DocumentComplete(); };
    holder_->events.newWindow = [this](const std::string& address, bool user, bool& cancel) {
        core_.CppWebBrowser1NewWindow3(address, user, cancel);
    };
    holder_->events.beforeNavigate = [this](const std::string& address, bool topLevel,
                                            bool& cancel) {
        core_.CppWebBrowser1BeforeNavigate2(address, topLevel, cancel);
    };
    holder_->events.navigateError = [this] { core_.CppWebBrowser1NavigateError(); };
    if (!core_.ViewCreated(holder_->hasView())) {
        DestroyWindow(holder_->handle()); // frees the holder
        holder_ = nullptr;
        return nullptr;
    }
    return holder_->handle();
}

void TFormMessagesWindow::formShow() {
    centreOnPanelInWorkarea(handle(), panel_);
    core_.FormShow();
}

bool TFormMessagesWindow::formPreTranslate(MSG& msg) {
    // Keys anywhere in the window; other windows' messages go their way.
    if (msg.hwnd != handle() && !IsChild(handle(), msg.hwnd)) return false;
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
    switch (core_.ApplicationEvents1Message(key, key ? static_cast<uint32_t>(msg.wParam) : 0)) {
    case TFormMessages::KeyRoute::Closed:
        return true;
    case TFormMessages::KeyRoute::ToView:
        return holder_ && holder_->view().translateKey(msg);
    case TFormMessages::KeyRoute::None:
        break;
    }
    return false;
}

bool TFormMessagesWindow::formMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wParam != kTimerFill) return false;
    core_.FillTimerTimer();
    result = 0;
    return true;
}

void TFormMessagesWindow::formDpiChanged() {
    if (holder_) holder_->setDpi(dpi());
}

void TFormMessagesWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonClose") core_.ButtonCloseClick();
}

void TFormMessagesWindow::setFillTimer(bool enabled) {
    if (enabled)
        SetTimer(handle(), kTimerFill, kMessageFillTimeoutMs, nullptr);
    else
        KillTimer(handle(), kTimerFill);
}

} // namespace qlx::win
