#include "qt/forms/FormMessages.h"

#include <stdexcept>

#include "panel/Placement.h"
#include "qt/messages/MessageView.h"
#include "qt/system/Screens.h"

namespace qlx::qt {

TFormMessagesWindow::TFormMessagesWindow(MessageStore& store, ShellOpenPort& shell,
                                         MessageWinPort& messages, Dimension panel)
    : FormWindow(messagesFormLayout()), core_(*this, store, shell, messages), panel_(panel) {
    fill_.setSingleShot(true);
    connect(&fill_, &QTimer::timeout, this, [this] { core_.FillTimerTimer(); });
    build();
    if (!view_) throw std::runtime_error("messages view");
}

int32_t TFormMessagesWindow::showMessage(int32_t index) {
    core_.CurrentIndex = index;
    return showModal();
}

HtmlViewPort& TFormMessagesWindow::view() { return *view_; }

void TFormMessagesWindow::setFillTimer(bool enabled) {
    if (enabled) fill_.start(static_cast<int>(kMessageFillTimeoutMs));
    else fill_.stop();
}

QWidget* TFormMessagesWindow::createWindowedControl(const ControlDesc& desc, QWidget* parent) {
    if (desc.kind != ControlKind::HtmlView) return nullptr;
    view_ = new MessageView(parent);
    view_->events.documentComplete = [this] { core_.CppWebBrowser1DocumentComplete(); };
    // A followed link is a top-level navigation: a web page goes to the user's browser,
    // anything else nowhere, and the view keeps the message.
    view_->events.linkFollowed = [this](const std::string& address) {
        bool cancel = true;
        core_.CppWebBrowser1BeforeNavigate2(address, true, cancel);
    };
    if (!core_.ViewCreated(true)) {
        delete view_;
        view_ = nullptr;
    }
    return view_;
}

void TFormMessagesWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonClose") core_.ButtonCloseClick();
}

bool TFormMessagesWindow::formKeyPress(char key) {
    if (key != 27) return false;
    core_.ApplicationEvents1Message(true, 0x1B);
    return true;
}

Dimension TFormMessagesWindow::initialPlace(const Dimension& outer) const {
    Dimension place = CentreOnPanel(panel_, outer);
    limitToScreenWorkarea(place, workAreaOf(panel_, screenMonitors()));
    return place;
}

} // namespace qlx::qt
