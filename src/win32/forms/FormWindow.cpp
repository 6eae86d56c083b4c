// Building a secondary window from its table, its layout on resize and its modal loop.
#include "win32/forms/FormWindow.h"

#include <commctrl.h>

#include "win32/app/Application.h"
#include "win32/controls/BevelLines.h"
#include "win32/system/CommonControls.h"
#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"
#include "win32/system/Oleacc.h"
#include "win32/system/SystemColours.h"
#include "win32/system/WindowFrame.h"
#include "win32/system/WorkArea.h"
#include "win32/controls/FlatButton.h"
#include "win32/controls/Label.h"
#include "win32/app/ModalLoop.h"
#include "win32/controls/Shape.h"
#include "win32/controls/SpeedButtonCheckmark.h"

namespace qlx::win {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT;

DWORD styleOf(const FormDesc& desc) { return desc.minWidth > 0 ? kStyle | WS_THICKFRAME : kStyle; }
} // namespace

// A panel's window answers for the controls on it: its part of the window's tree, with the
// panel's window object as its parent, so that each panel is in the tree once, under its
// window. Places stay in the form's client area.
class TFormWindow::PanelSource final : public AccessibleSource {
public:
    PanelSource(TFormWindow& form, std::string panel, HWND window)
        : form_(form), panel_(std::move(panel)), window_(window) {
        link->source = this;
    }
    ~PanelSource() override { link->source = nullptr; }
    AccNode accessibleTree() override {
        const AccNode tree = form_.accessibleTree();
        const AccNode* node = tree.find(panel_);
        return node ? *node : AccNode{};
    }
    POINT accessibleOrigin() override { return form_.accessibleOrigin(); }
    void accessibleDefaultAction(const std::string& control) override {
        form_.accessibleDefaultAction(control);
    }
    void accessibleFocus(const std::string& control) override { form_.focusControl(control); }
    IDispatch* accessibleSystemObject(const std::string& control) override {
        return form_.accessibleSystemObject(control);
    }
    IDispatch* accessibleWindowObject() override { return systemAccessible(window_, OBJID_WINDOW); }

    std::shared_ptr<AccessibleLink> link = std::make_shared<AccessibleLink>();

private:
    TFormWindow& form_;
    std::string panel_;
    HWND window_;
};

TFormWindow::~TFormWindow() {
    accLink_->source = nullptr;
    for (const auto& source : panelSources_)
        source->link->source = nullptr;
    for (const Windowed& w : windowed_)
        clearWindowAnnotation(w.hwnd);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

Dimension TFormWindow::designBounds() const {
    const SIZE outer =
        outerSizeForDpi(desc_.clientWidth, desc_.clientHeight, styleOf(desc_), kExStyle, dpi_);
    return Dimension{0, 0, outer.cy, outer.cx};
}

Dimension TFormWindow::initialPlace(const Dimension& outer) const {
    HWND panel = Application::instance().mainWindow();
    return panel ? placeOnPanel(panel, outer) : outer;
}

bool TFormWindow::create() {
    HINSTANCE module = GetModuleHandleW(nullptr);
    const std::wstring className = widen(desc_.windowClass);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(module, L"MAINICON");
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    // Scale: the table at the DPI of the monitor the window opens on, the panel's.
    dpi_ = windowDpi(Application::instance().mainWindow());
    desc_ = scaledForm(design_, dpi_);

    // Created where it will be shown, on the panel's monitor and at its scale: a window that
    // first stood on another monitor would be rescaled by the system on the way.
    const Dimension place = initialPlace(designBounds());
    hwnd_ = CreateWindowExW(kExStyle, className.c_str(), widen(desc_.caption).c_str(),
                            styleOf(desc_), place.left, place.top, place.width, place.height,
                            Application::instance().handle(), nullptr, module, this);
    if (!hwnd_) return false;
    if (HMENU menu = GetSystemMenu(hwnd_, FALSE)) {
        DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
        if (desc_.minWidth == 0) DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    }

    // Panels first (in table order, so the later ones lie on top), then what sits on them.
    for (const ControlDesc& c : desc_.controls) {
        if (c.kind != ControlKind::Panel) continue;
        HWND parent = c.parent.empty() ? hwnd_ : window(c.parent);
        TPanel* panel = TPanel::create(parent, c, panelBox(c));
        if (!panel) return false;
        auto source = std::make_shared<PanelSource>(*this, c.name, panel->handle());
        panel->OnGetObject = [link = source->link](WPARAM wParam, LPARAM lParam) {
            return answerGetObject(link, {}, wParam, lParam);
        };
        panelSources_.push_back(std::move(source));
        panels_.push_back(panel);
    }
    for (const ControlDesc& c : desc_.controls) {
        if (c.kind == ControlKind::Panel) continue;
        HWND parent = c.parent.empty() ? hwnd_ : window(c.parent);
        if (auto graphic = makeGraphic(c)) {
            graphic->host = parent;
            graphic->dpi = dpi_;
            graphic->cues = &cues_;
            const ControlDesc* desc = &graphic->desc();
            if (graphic->interactive())
                graphic->OnClick = [this, desc] { clickControl(desc->name); };
            if (parent == hwnd_) {
                host_.add(std::move(graphic));
            } else {
                for (TPanel* p : panels_)
                    if (p->handle() == parent) p->host().add(std::move(graphic));
            }
            continue;
        }
        HWND w = createWindowedControl(c, parent, c.box);
        if (!w) return false;
        windowed_.push_back({&c, w});
    }
    createHints();
    accLink_->source = this;
    nameFields();
    return true;
}

ControlBox TFormWindow::panelBox(const ControlDesc& c) const {
    ControlBox box = c.box;
    if (c.align == Align::Top || c.align == Align::Bottom) {
        box.left = 0;
        box.width = desc_.clientWidth;
        if (c.align == Align::Bottom) box.top = desc_.clientHeight - box.height;
    }
    return box;
}

// The window moved onto a monitor of another scale: the same controls, with what the user
// entered in them and the keyboard focus, take their places, sizes and fonts from the table at
// the new DPI, and the window takes the place the system suggests.
void TFormWindow::changeDpi(int dpi, const RECT& suggested) {
    if (dpi > 0 && dpi != dpi_) {
        dpi_ = dpi;
        // In place: the windowed controls keep pointers into the table.
        const FormDesc scaledDesc = scaledForm(design_, dpi_);
        desc_.clientWidth = scaledDesc.clientWidth;
        desc_.clientHeight = scaledDesc.clientHeight;
        desc_.minWidth = scaledDesc.minWidth;
        desc_.minHeight = scaledDesc.minHeight;
        desc_.font = scaledDesc.font;
        for (size_t i = 0; i < desc_.controls.size(); ++i) {
            desc_.controls[i].box = scaledDesc.controls[i].box;
            desc_.controls[i].font = scaledDesc.controls[i].font;
        }
        const auto rescale = [this](GraphicHost& host) {
            for (const auto& g : host.controls())
                if (const ControlDesc* c = desc_.find(g->name())) g->rescale(*c, dpi_);
        };
        rescale(host_);
        for (TPanel* p : panels_) {
            if (const ControlDesc* c = desc_.find(p->desc().name)) p->designBox = panelBox(*c);
            rescale(p->host());
        }
        for (const Windowed& w : windowed_)
            SendMessageW(w.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(w.desc->font)),
                         FALSE);
        try {
            formDpiChanged();
        } catch (...) {
        }
    }
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Also when the size stayed and no WM_SIZE came.
    RECT client{};
    GetClientRect(hwnd_, &client);
    layout(client.right, client.bottom);
    // Panels that only grew would otherwise keep their old drawing and paint the new part.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// Asked before a move onto a monitor of another scale: the size there comes from the table at
// that scale, so that the rectangle the system then suggests is already the right one.
bool TFormWindow::dpiScaledSize(int dpi, SIZE& size) const {
    if (dpi <= 0) return false;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const SIZE frame = outerSizeForDpi(0, 0, styleOf(desc_), kExStyle, dpi);
    const OuterSize outer =
        dpiScaledOuterSize(design_, {client.right, client.bottom}, dpi_, dpi, {frame.cx, frame.cy});
    size = SIZE{outer.width, outer.height};
    return true;
}

// One tooltip for the window; windowless controls are rectangles of the window they sit on.
void TFormWindow::createHints() {
    bool any = false;
    for (const ControlDesc& c : desc_.controls) any = any || !c.hint.empty();
    if (!any || !loadCommonControls(ICC_WIN95_CLASSES)) return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    for (const ControlDesc& c : desc_.controls) {
        if (c.hint.empty()) continue;
        const std::wstring text = widen(c.hint);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.lpszText = const_cast<LPWSTR>(text.c_str());
        if (GraphicControl* g = control(c.name)) {
            tool.hwnd = g->host;
            tool.uId = hints_.size() + 1;
            tool.rect = RECT{g->box.left, g->box.top, g->box.left + g->box.width,
                             g->box.top + g->box.height};
            hints_.push_back(g);
        } else if (HWND w = window(c.name)) {
            tool.uFlags |= TTF_IDISHWND;
            tool.hwnd = hwnd_;
            tool.uId = reinterpret_cast<UINT_PTR>(w);
        } else {
            continue;
        }
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The hints of windowless controls follow them when the window changes size.
void TFormWindow::moveHints() {
    for (size_t i = 0; i < hints_.size(); ++i) {
        const GraphicControl* g = hints_[i];
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = g->host;
        tool.uId = i + 1;
        tool.rect = RECT{g->box.left, g->box.top, g->box.left + g->box.width,
                         g->box.top + g->box.height};
        SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::unique_ptr<GraphicControl> TFormWindow::makeGraphic(const ControlDesc& desc) {
    switch (desc.kind) {
    case ControlKind::Label: return std::make_unique<TLabelRuns>(desc);
    case ControlKind::Shape: return std::make_unique<TShape>(desc);
    case ControlKind::FlatButton: return std::make_unique<TFlatButton>(desc);
    case ControlKind::CheckmarkButton: return std::make_unique<TSpeedButtonCheckmarkControl>(desc);
    case ControlKind::BevelLines: return std::make_unique<TBevelLinesControl>(desc);
    default: return nullptr;
    }
}

GraphicControl* TFormWindow::control(std::string_view name) const {
    if (GraphicControl* c = host_.find(name)) return c;
    for (TPanel* p : panels_)
        if (GraphicControl* c = p->host().find(name)) return c;
    return nullptr;
}

HWND TFormWindow::window(std::string_view name) const {
    for (TPanel* p : panels_)
        if (p->desc().name == name) return p->handle();
    for (const Windowed& w : windowed_)
        if (w.desc->name == name) return w.hwnd;
    return nullptr;
}

Dimension TFormWindow::bounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return Dimension{r.top, r.left, r.bottom - r.top, r.right - r.left};
}

void TFormWindow::setBounds(const Dimension& d) {
    SetWindowPos(hwnd_, nullptr, d.left, d.top, d.width, d.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormWindow::buttonClick(const ControlDesc& button) {
    if (button.modalResult != 0) setModalResult(button.modalResult);
}

// Every control keeps to its anchors against its parent's size in the table.
void TFormWindow::layout(int clientWidth, int clientHeight) {
    const int w0 = desc_.clientWidth;
    const int h0 = desc_.clientHeight;
    for (TPanel* p : panels_) {
        const ControlDesc& c = p->desc();
        ControlBox box = p->designBox;
        if (c.align == Align::Top) {
            box = {0, box.top, clientWidth, box.height};
        } else if (c.align == Align::Bottom) {
            box = {0, clientHeight - box.height, clientWidth, box.height};
        } else if (c.parent.empty()) {
            box = anchoredBox(box, c.anchors, w0, h0, clientWidth, clientHeight);
        }
        MoveWindow(p->handle(), box.left, box.top, box.width, box.height, TRUE);
        for (const auto& g : p->host().controls())
            g->box = anchoredBox(g->desc().box, g->desc().anchors, p->designBox.width,
                                 p->designBox.height, box.width, box.height);
        for (const Windowed& w : windowed_) {
            if (w.desc->parent != c.name) continue;
            const ControlBox inner = anchoredBox(w.desc->box, w.desc->anchors, p->designBox.width,
                                                 p->designBox.height, box.width, box.height);
            MoveWindow(w.hwnd, inner.left, inner.top, inner.width, inner.height, TRUE);
        }
    }
    for (const auto& g : host_.controls())
        g->box = anchoredBox(g->desc().box, g->desc().anchors, w0, h0, clientWidth, clientHeight);
    for (const Windowed& w : windowed_) {
        if (!w.desc->parent.empty()) continue;
        const ControlBox box =
            anchoredBox(w.desc->box, w.desc->anchors, w0, h0, clientWidth, clientHeight);
        MoveWindow(w.hwnd, box.left, box.top, box.width, box.height, TRUE);
    }
    moveHints();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool TFormWindow::closeAllowed() {
    bool allowed = true;
    try {
        allowed = formCloseQuery();
    } catch (...) {
    }
    if (!allowed) return false;
    try {
        formClose();
    } catch (...) {
    }
    return true;
}

int32_t TFormWindow::showModal() {
    modalResult_ = 0;
    modal_ = true;
    RegisteredForm registered(hwnd_);
    try {
        formShow();
    } catch (...) {
    }
    // Opened with the mouse, the window shows no focus rectangle until the keyboard is used.
    cues_.opened(lastInputFromKeyboard());
    applyCues();
    {
        DisabledWindows disabled(hwnd_);
        ShowWindow(hwnd_, SW_SHOW);
        Application::instance().bringToFront(hwnd_);
        // The keyboard goes to the first field that takes it, as in a dialog.
        HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (first && (GetWindowLongPtrW(first, GWL_STYLE) & WS_TABSTOP)) SetFocus(first);
        for (;;) {
            if (modalResult_ != 0) {
                if (closeAllowed()) break;
                modalResult_ = 0;
            }
            MSG msg;
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                // The program is ending: leave the window and let the outer loop see it too.
                PostQuitMessage(static_cast<int>(msg.wParam));
                modalResult_ = 2;
                break;
            }
            if (got == -1) break;
            noteInput(msg.message);
            if (cueKey(msg)) continue;
            bool done = false;
            try {
                done = formPreTranslate(msg);
            } catch (...) {
            }
            if (done) continue;
            if (focusKey(msg)) continue;
            if (msg.message == WM_CHAR && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
                bool taken = false;
                try {
                    taken = formKeyPress(static_cast<wchar_t>(msg.wParam));
                } catch (...) {
                }
                if (taken) continue;
            }
            // Enter and Esc reach the window as characters (for its key handling), not as
            // the dialog manager's default and cancel commands.
            const bool enterOrEsc = msg.message == WM_KEYDOWN &&
                                    (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
            if (enterOrEsc || !IsDialogMessageW(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    ShowWindow(hwnd_, SW_HIDE);
    modal_ = false;
    return modalResult_;
}

LRESULT CALLBACK TFormWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<TFormWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* form = reinterpret_cast<TFormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return form->handle(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT TFormWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A new colour scheme: the window, its panels and its fields draw in it at once.
    if (colourSchemeChanged(msg, wParam)) passColourSchemeChange(hwnd_);
    LRESULT result = 0;
    if (formMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: host_.paint(hwnd_, desc_.colour); return 0;
    case WM_SIZE:
        if (!panels_.empty() || !windowed_.empty() || !host_.controls().empty())
            layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DPICHANGED:
        if (lParam) changeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kWmGetDpiScaledSize:
        return lParam && dpiScaledSize(LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_GETMINMAXINFO:
        if (desc_.minWidth > 0) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const WorkArea work = workAreaOfWindow(hwnd_);
            const OuterSize least =
                minimumOuterSize(desc_, work.right - work.left, work.bottom - work.top);
            info->ptMinTrackSize = {least.width, least.height};
            return 0;
        }
        break;
    case WM_GETOBJECT:
        if (const LRESULT r = answerGetObject(accLink_, {}, wParam, lParam)) return r;
        break;
    case WM_KILLFOCUS: {
        // A field of the window took the keyboard (a click on it): the drawn control lets go.
        const HWND to = reinterpret_cast<HWND>(wParam);
        if (to && IsChild(hwnd_, to)) {
            setGraphicFocus(nullptr);
            lastFocus_ = to;
        }
        if (focusedGraphic_) focusedGraphic_->invalidate(); // its rectangle goes
        break;
    }
    case WM_SETFOCUS:
        if (focusedGraphic_) focusedGraphic_->invalidate();
        break;
    case WM_ACTIVATE:
        activated(wParam);
        return 0;
    case WM_UPDATEUISTATE:
        // The system changed the cues (on Windows, Alt or the keyboard in a dialog).
        DefWindowProcW(hwnd_, msg, wParam, lParam);
        if (cues_.update(LOWORD(wParam), HIWORD(wParam)))
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return 0;
    case WM_CLOSE:
        // The close box, Alt+F4 and other close requests ask to close with "Cancel".
        if (modal_) modalResult_ = 2;
        return 0;
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
        host_.mouse(hwnd_, msg, lParam);
        return 0;
    }
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL &&
        host_.mouse(hwnd_, msg, lParam))
        return 0;
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

// The keyboard among the window's controls.

std::string TFormWindow::focusedControl() const {
    if (focusedGraphic_) return focusedGraphic_->name();
    const HWND focus = GetFocus();
    if (!focus) return {};
    for (const Windowed& w : windowed_)
        if (w.hwnd == focus || IsChild(w.hwnd, focus)) return w.desc->name;
    return {};
}

void TFormWindow::setGraphicFocus(GraphicControl* control) {
    if (focusedGraphic_ == control) return;
    if (focusedGraphic_) {
        focusedGraphic_->focused = false;
        focusedGraphic_->invalidate();
    }
    focusedGraphic_ = control;
    if (control) {
        control->focused = true;
        control->invalidate();
    }
}

void TFormWindow::focusControl(const std::string& name) {
    if (GraphicControl* g = control(name)) {
        setGraphicFocus(g);
        lastFocus_ = hwnd_;
        SetFocus(hwnd_);
        HWND host = nullptr;
        LONG id = 0;
        if (accessibleAddress(name, host, id)) notifyAccessibleEvent(EVENT_OBJECT_FOCUS, host, id);
    } else if (HWND w = window(name)) {
        setGraphicFocus(nullptr);
        lastFocus_ = w;
        SetFocus(w); // the system tells of the focus of a window itself
    }
}

void TFormWindow::moveFocus(bool forward) {
    const std::string next = nextFocus(desc_, accessibleState(), focusedControl(), forward);
    if (!next.empty()) focusControl(next);
}

bool TFormWindow::focusKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)))
        return false;
    if (msg.wParam == VK_TAB) {
        moveFocus(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if (msg.wParam == VK_SPACE && focusedGraphic_ && msg.hwnd == hwnd_) {
        if (focusedGraphic_->enabled() && focusedGraphic_->visible()) {
            // Not a repeat of a held key: one press, one click.
            if ((msg.lParam & (1L << 30)) == 0) clickControl(focusedGraphic_->name());
        }
        return true;
    }
    return false;
}

bool TFormWindow::cueKey(const MSG& msg) {
    if (!(msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) return false;
    if (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP &&
        cues_.key(msg.message, static_cast<uint32_t>(msg.wParam)))
        applyCues();
    // Alt+letter of a mnemonic; other system characters (Alt+Space, Alt+F4) go on.
    return msg.message == WM_SYSCHAR && msg.wParam < 0x80 &&
           mnemonic(static_cast<char>(msg.wParam));
}

bool TFormWindow::mnemonic(char letter) {
    const MnemonicTarget target = mnemonicTarget(desc_, accessibleState(), letter);
    switch (target.action) {
    case MnemonicAction::None:
        return false;
    case MnemonicAction::Press:
        clickControl(target.control);
        return true;
    case MnemonicAction::Focus:
    case MnemonicAction::FocusAndPress:
        focusControl(target.control);
        if (cues_.keyboardFocus()) applyCues();
        if (target.action == MnemonicAction::FocusAndPress) clickControl(target.control);
        return true;
    }
    return false;
}

void TFormWindow::applyCues() {
    if (!hwnd_) return;
    tellUiState(hwnd_, cues_);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Deactivated, the window notes which of its controls had the keyboard: itself (for a drawn
// control, which keeps its focus mark) or a field. Activated again, that control gets it back
// instead of the window as a whole.
void TFormWindow::activated(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus == hwnd_ || (focus && IsChild(hwnd_, focus))) lastFocus_ = focus;
        if (cues_.deactivated()) applyCues();
        return;
    }
    if (HIWORD(wParam)) return; // minimised
    const HWND back = lastFocus_;
    if (back && back != hwnd_ && IsWindow(back) && IsChild(hwnd_, back) && IsWindowVisible(back) &&
        IsWindowEnabled(back))
        SetFocus(back);
    else if (focusedGraphic_)
        focusControl(focusedGraphic_->name()); // readers are told of the drawn control too
    else
        SetFocus(hwnd_);
}

void TFormWindow::nameFields() {
    const AccNode tree = accessibleTree();
    for (const Windowed& w : windowed_) {
        const AccNode* node = tree.find(w.desc->name);
        if (node && !node->name.empty()) annotateWindow(w.hwnd, node->name, node->keyboardShortcut);
    }
}

void TFormWindow::clickControl(const std::string& name) {
    const ControlDesc* desc = desc_.find(name);
    if (!desc) return;
    // What the click changes among the check marks and enabled states is told afterwards.
    struct Seen {
        std::string name;
        bool checked;
        bool enabled;
    };
    std::vector<Seen> before;
    for (const ControlDesc& c : desc_.controls)
        if (c.kind == ControlKind::CheckmarkButton)
            if (const GraphicControl* g = control(c.name))
                before.push_back({c.name, g->checked(), g->enabled()});
    buttonClick(*desc);
    if (!hwnd_) return;
    for (const Seen& s : before) {
        const GraphicControl* g = control(s.name);
        if (!g || (g->checked() == s.checked && g->enabled() == s.enabled)) continue;
        HWND host = nullptr;
        LONG id = 0;
        if (accessibleAddress(s.name, host, id))
            notifyAccessibleEvent(EVENT_OBJECT_STATECHANGE, host, id);
    }
}

// What assistive technology is told.

FormAccState TFormWindow::accessibleState() const {
    FormAccState state;
    for (const ControlDesc& c : desc_.controls) {
        ControlState s;
        if (const GraphicControl* g = control(c.name)) {
            s.checked = g->checked();
            s.enabled = g->enabled();
            s.visible = g->visible();
        } else if (HWND w = window(c.name)) {
            s.enabled = IsWindowEnabled(w) != FALSE;
            s.visible = (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0;
        } else {
            continue;
        }
        state.controls.emplace(c.name, s);
    }
    state.focused = focusedControl();
    if (hwnd_) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        state.clientWidth = client.right;
        state.clientHeight = client.bottom;
    }
    // The window's table is already at its scale (desc_), and so is its client size.
    state.dpi = kDesignDpi;
    return state;
}

AccNode TFormWindow::accessibleTree() { return formAccessibleTree(desc_, accessibleState()); }

IAccessible* TFormWindow::accessibleObject() { return createAccessibleObject(accLink_); }

POINT TFormWindow::accessibleOrigin() {
    POINT origin{0, 0};
    if (hwnd_) ClientToScreen(hwnd_, &origin);
    return origin;
}

void TFormWindow::accessibleDefaultAction(const std::string& control) {
    const GraphicControl* g = this->control(control);
    if (g && g->interactive() && g->enabled()) clickControl(control);
}

IDispatch* TFormWindow::accessibleSystemObject(const std::string& control) {
    return systemAccessible(window(control), OBJID_WINDOW);
}

IDispatch* TFormWindow::accessibleWindowObject() { return systemAccessible(hwnd_, OBJID_WINDOW); }

bool TFormWindow::accessibleAddress(const std::string& control, HWND& window, LONG& childId) {
    const AccNode tree = accessibleTree();
    for (size_t i = 0; i < tree.children.size(); ++i) {
        const AccNode& child = tree.children[i];
        if (child.control == control) {
            window = hwnd_;
            childId = static_cast<LONG>(i + 1);
            return true;
        }
        for (size_t j = 0; j < child.children.size(); ++j) {
            if (child.children[j].control != control) continue;
            window = this->window(child.control);
            childId = static_cast<LONG>(j + 1);
            return window != nullptr;
        }
    }
    return false;
}

} // namespace qlx::win
