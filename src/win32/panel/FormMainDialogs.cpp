// The message dialog, the work area and opening pages, on the main window.
#include "win32/app/FormMain.h"

#include <stdexcept>

#include "win32/app/Application.h"
#include "win32/forms/FormWelcome.h"
#include "win32/panel/MessageWin.h"
#include "win32/system/WinChromeFrameRegistry.h"
#include "lookup/ChromeFrame.h"
#include "lookup/OpenWebPage.h"
#include "panel/MessageWinModal.h"

namespace qlx::win {

bool TFormMain::dialogsMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

ShellOpenPort& TFormMain::shellPort() {
    shellOpen_.setOwner(hwnd_);
    return shellOpen_;
}

int32_t TFormMain::PanelMessages::MessageWin(DialogOwner owner, const std::string& text,
                                             const std::string& caption, TMsgDlgType type,
                                             int32_t buttonSet) {
    if (owner == DialogOwner::form) {
        // The program's open modal window asks: the question belongs to it.
        for (HWND form : Application::instance().forms())
            if (form != form_.handle() && IsWindowVisible(form))
                return showMessageWin(form, text, caption, type, buttonSet, false);
    }
    if (owner != DialogOwner::panel || form_.handle() == nullptr)
        return showMessageWin(nullptr, text, caption, type, buttonSet, true);
    ProgramState& state = form_.state();
    PanelDialogScope scope(state.ModalDialogOpen, state.OnTopActive,
                           [this](bool onTop) { form_.applyOnTop(onTop); });
    return showMessageWin(form_.handle(), text, caption, type, buttonSet, false);
}

void TFormMain::openProgramInfoPage() {
    MenuItemProgramWebClick(shellPort(), messagePort(), state_.Templates, state_.UseChromeFrame);
    requestButtons(false);
}

namespace {
// What the first-start flow needs of the panel: its buttons, its place and the posted page.
class WelcomeOnPanel final : public WelcomePort {
public:
    explicit WelcomeOnPanel(TFormMain& form) : form_(form) {}
    void requestButtons(bool show) override { form_.requestButtons(show); }
    Dimension panelBounds() override {
        RECT r{};
        GetWindowRect(form_.handle(), &r);
        return Dimension{r.top, r.left, r.bottom - r.top, r.right - r.left};
    }
    int32_t showWelcomeWindow(const Dimension& panel) override {
        TFormWelcomeWindow window;
        if (!window.create()) throw std::runtime_error("welcome window");
        const Dimension size = window.designBounds();
        return window.showAt(welcomePlace(panel, size.width, size.height));
    }
    void postCommand(uint16_t wParam, int32_t lParam) override { form_.postCommand(wParam, lParam); }

private:
    TFormMain& form_;
};
} // namespace

void TFormMain::welcomeFlow() {
    WelcomeOnPanel port(*this);
    WinChromeFrameRegistry registry;
    RunFirstStartWelcome(state_.ModalDialogOpen, state_.UseChromeFrame, port, registry,
                         messagePort());
}

void TFormMain::imageOpenClick() {
    ImageOpenClick(shellPort(), messagePort(), state_.Templates, state_.UseChromeFrame,
                   state_.LastSearchText);
    requestButtons(false);
}

} // namespace qlx::win
