// The message dialog's windows, painting and modal loop.
#include "win32/dialogs/MessageWin.h"

#include <memory>
#include <vector>

#include "win32/app/Application.h"
#include "win32/app/ModalLoop.h"
#include "win32/controls/AccessibleObject.h"
#include "win32/controls/BitBtnColor.h"
#include "win32/system/Encoding.h"
#include "win32/system/Oleacc.h"
#include "win32/system/SystemColours.h"
#include "win32/system/WindowFrame.h"
#include "win32/system/WorkArea.h"
#include "forms/AccessibleTree.h"
#include "forms/KeyboardCues.h"
#include "dialogs/MessageWinModal.h"

namespace qlx::win {

namespace {
constexpr wchar_t kDialogClass[] = L"TMessageForm";
constexpr wchar_t kStripClass[] = L"TMessageStrip";
constexpr int kLeftButtonId = 100;
constexpr int kRightButtonId = 101;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr UINT kTextFormat = DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX;

struct DialogState;

// The dialog as assistive technology reads it: its text is drawn here, not by a control.
class DialogAccessible final : public AccessibleSource {
public:
    explicit DialogAccessible(DialogState& s) : s_(s) { link->source = this; }
    ~DialogAccessible() override { link->source = nullptr; }
    AccNode accessibleTree() override;
    POINT accessibleOrigin() override;
    void accessibleDefaultAction(const std::string&) override {}
    IDispatch* accessibleSystemObject(const std::string&) override;
    IDispatch* accessibleWindowObject() override;
    std::shared_ptr<AccessibleLink> link = std::make_shared<AccessibleLink>();

private:
    DialogState& s_;
};

struct DialogState {
    HWND dialog = nullptr;
    HWND strip = nullptr;
    HFONT font = nullptr;
    HICON icon = nullptr;
    RECT iconRect{};
    RECT textRect{};
    std::wstring text;
    TBitBtnColor left;
    TBitBtnColor right;
    HWND lastFocus = nullptr;
    int32_t result = kResultCancel;
    bool done = false;
    std::string caption;    // Windows-1252, as given
    std::string textNarrow; // the text as given
    MessageWinLayout layout;
    // What the layout was made from, for a move onto a monitor of another scale.
    TMsgDlgType type = TMsgDlgType::custom;
    int32_t buttonSet = 0;
    std::optional<Dimension> ownerBounds;
    Monitor monitor;
    DialogAccessible accessible{*this};
    KeyboardCues cues;

    ~DialogState() {
        left.destroy();
        right.destroy();
        if (dialog) DestroyWindow(dialog);
        if (font) DeleteObject(font);
        if (icon) DestroyIcon(icon);
    }
};

AccNode DialogAccessible::accessibleTree() {
    const HWND focus = GetFocus();
    const bool buttonFocused = focus && (focus == s_.left.handle() || focus == s_.right.handle());
    return messageDialogAccessibleTree(s_.caption, s_.textNarrow, s_.layout, buttonFocused);
}

POINT DialogAccessible::accessibleOrigin() {
    POINT origin{0, 0};
    if (s_.dialog) ClientToScreen(s_.dialog, &origin);
    return origin;
}

IDispatch* DialogAccessible::accessibleSystemObject(const std::string&) {
    return systemAccessible(s_.strip, OBJID_WINDOW);
}

IDispatch* DialogAccessible::accessibleWindowObject() {
    return systemAccessible(s_.dialog, OBJID_WINDOW);
}

// The dialog kept in front by the timer, one at a time.
DialogInFront inFront;
UINT_PTR zorderTimer = 0;

// The dialog and its strip: white, or in high contrast the system's window colour.
void eraseBackground(HWND hwnd, HDC dc) {
    RECT r{};
    GetClientRect(hwnd, &r);
    HBRUSH brush = CreateSolidBrush(resolvedColour(colours()(ColourRole::dialogBackground)));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// The system's icon for the type drawn at size, from its nearest larger image; the caller
// destroys it.
HICON iconFor(TMsgDlgType type, int size) {
    LPCWSTR id = nullptr;
    switch (type) {
    case TMsgDlgType::warning: id = IDI_WARNING; break;
    case TMsgDlgType::error: id = IDI_ERROR; break;
    case TMsgDlgType::information: id = IDI_INFORMATION; break;
    case TMsgDlgType::confirmation: id = IDI_QUESTION; break;
    case TMsgDlgType::custom: return nullptr;
    }
    return loadIconOfSize(nullptr, id, size);
}

// The system's sound for the type, as its own message box plays it: the icon's. A box without
// an icon plays none (since Windows 7).
void soundFor(TMsgDlgType type) {
    if (!hasIcon(type)) return;
    UINT flag = MB_OK;
    switch (type) {
    case TMsgDlgType::warning: flag = MB_ICONEXCLAMATION; break;
    case TMsgDlgType::error: flag = MB_ICONHAND; break;
    case TMsgDlgType::information: flag = MB_ICONASTERISK; break;
    case TMsgDlgType::confirmation: flag = MB_ICONQUESTION; break;
    case TMsgDlgType::custom: return;
    }
    MessageBeep(flag);
}

RECT toRect(const Rect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; }

DialogState* stateOf(HWND hwnd) {
    return reinterpret_cast<DialogState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void finish(DialogState& s, int32_t result) {
    s.result = result;
    s.done = true;
}

TBitBtnColor* buttonOf(DialogState& s, HWND hwnd) {
    if (hwnd && hwnd == s.left.handle()) return &s.left;
    if (hwnd && hwnd == s.right.handle()) return &s.right;
    return nullptr;
}

// The buttons' focus rectangle after keyboard use only.
void applyCues(DialogState& s) {
    tellUiState(s.dialog, s.cues);
    for (HWND button : {s.left.handle(), s.right.handle()})
        if (button) InvalidateRect(button, nullptr, FALSE);
}

HFONT messageFont(int dpi);
MessageWinMeasures measure(HFONT font, const std::wstring& text, const ScreenRect& screen, int dpi);

// The dialog on a monitor of another scale: its font at that scale, and the layout made again
// from it, at the place the system suggests.
void changeDpi(DialogState& s, int dpi, const RECT& suggested) {
    HFONT font = messageFont(dpi);
    if (!font) return;
    // The text wraps to, and the dialog keeps inside, the monitor it is moving onto.
    s.monitor = monitorOf(Dimension{suggested.top, suggested.left, suggested.bottom - suggested.top,
                                    suggested.right - suggested.left},
                          systemMonitors());
    const MessageWinLayout layout =
        layoutMessageWin(measure(font, s.text, s.monitor.bounds, dpi), s.type, s.buttonSet,
                         s.ownerBounds, workAreaOrFallback(s.monitor));
    for (HWND button : {s.left.handle(), s.right.handle()})
        if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (s.font) DeleteObject(s.font);
    s.font = font;
    s.layout = layout;
    s.textRect = toRect(layout.text);
    if (layout.icon) {
        s.iconRect = toRect(*layout.icon);
        if (HICON icon = iconFor(s.type, layout.icon->width)) {
            if (s.icon) DestroyIcon(s.icon);
            s.icon = icon;
        }
    }
    SetWindowPos(s.dialog, nullptr, suggested.left, suggested.top, layout.dialog.width,
                 layout.dialog.height, SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(s.strip, layout.strip.left, layout.strip.top, layout.strip.width,
               layout.strip.height, TRUE);
    const auto place = [](const TBitBtnColor& button, const Rect& r) {
        if (button.handle()) MoveWindow(button.handle(), r.left, r.top, r.width, r.height, TRUE);
    };
    place(s.left, layout.left.bounds);
    if (layout.right) place(s.right, layout.right->bounds);
    RedrawWindow(s.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Asked before a move onto a monitor of another scale: the dialog's size there, laid out as
// changeDpi will lay it out, on the nearest monitor of that scale.
bool dpiScaledSize(const DialogState& s, int dpi, SIZE& size) {
    if (dpi <= 0) return false;
    MonitorList atDpi;
    for (const Monitor& m : systemMonitors())
        if (m.dpi == dpi) atDpi.push_back(m);
    const Monitor monitor = atDpi.empty() ? s.monitor : monitorOf(windowDimension(s.dialog), atDpi);
    HFONT font = messageFont(dpi);
    if (!font) return false;
    const MessageWinLayout layout =
        layoutMessageWin(measure(font, s.text, monitor.bounds, dpi), s.type, s.buttonSet,
                         s.ownerBounds, workAreaOrFallback(monitor));
    DeleteObject(font);
    size = SIZE{layout.dialog.width, layout.dialog.height};
    return true;
}

LRESULT dialogMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogState* s = stateOf(hwnd);
    if (s == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // A new colour scheme: the dialog, its strip and its buttons draw in it at once.
    if (colourSchemeChanged(msg, wParam)) passColourSchemeChange(hwnd);
    switch (msg) {
    case WM_ERASEBKGND:
        eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (s->icon)
            DrawIconEx(dc, s->iconRect.left, s->iconRect.top, s->icon,
                       s->iconRect.right - s->iconRect.left, s->iconRect.bottom - s->iconRect.top, 0,
                       nullptr, DI_NORMAL);
        HGDIOBJ oldFont = SelectObject(
            dc, s->font ? static_cast<HGDIOBJ>(s->font) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, resolvedColour(colours()(ColourRole::dialogText)));
        RECT text = s->textRect;
        // Unclipped: a last letter such as "g" may overhang its measured cell by a pixel.
        DrawTextW(dc, s->text.c_str(), static_cast<int>(s->text.size()), &text,
                  kTextFormat | DT_NOCLIP);
        SelectObject(dc, oldFont);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (TBitBtnColor* b = buttonOf(*s, reinterpret_cast<HWND>(lParam))) {
                finish(*s, b->ModalResult);
                return 0;
            }
            // Enter from the keyboard presses the button that has the focus.
            if (LOWORD(wParam) == IDOK && lParam == 0) {
                if (TBitBtnColor* b = buttonOf(*s, GetFocus())) finish(*s, b->ModalResult);
                return 0;
            }
            // Esc presses the set's cancel button; a set without one ("Ja", "Nej") ignores it.
            if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
                TBitBtnColor::pressCancel(hwnd);
                return 0;
            }
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (buttonOf(*s, focus)) s->lastFocus = focus;
        } else {
            SetFocus(s->lastFocus ? s->lastFocus : s->left.handle());
        }
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT r = answerGetObject(s->accessible.link, {}, wParam, lParam)) return r;
        break;
    case WM_UPDATEUISTATE:
        DefWindowProcW(hwnd, msg, wParam, lParam);
        if (s->cues.update(LOWORD(wParam), HIWORD(wParam))) applyCues(*s);
        return 0;
    case WM_DPICHANGED:
        if (lParam) changeDpi(*s, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kWmGetDpiScaledSize:
        return lParam && dpiScaledSize(*s, LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_CLOSE:
        finish(*s, kResultCancel);
        return 0;
    case WM_DESTROY:
        if (!s->done) finish(*s, kResultCancel);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT stripMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_DRAWITEM: {
        // The dialog's own cues decide the focus rectangle, also where the system keeps none.
        DRAWITEMSTRUCT item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const DialogState* s = stateOf(GetParent(hwnd)); s && !s->cues.focusRect(true))
            item.itemState |= ODS_NOFOCUSRECT;
        if (TBitBtnColor::drawItem(item)) return TRUE;
        break;
    }
    case WM_COMMAND:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return dialogMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CALLBACK stripProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return stripMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

bool registerClasses(HINSTANCE module) {
    static bool done = false;
    if (done) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = dialogProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr; // erased in the scheme's colour
    wc.lpszClassName = kDialogClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    wc.lpfnWndProc = stripProc;
    wc.lpszClassName = kStripClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    done = true;
    return true;
}

// The system's message font, which it gives at the screen's DPI, at the dialog's.
HFONT messageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    int screen = 96;
    if (HDC dc = GetDC(nullptr)) {
        screen = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
    }
    if (dpi > 0 && screen > 0 && dpi != screen)
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, screen);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// The font's average letter width and height, the text wrapped to half the screen, and the
// frame, all at the dialog's DPI.
MessageWinMeasures measure(HFONT font, const std::wstring& text, const ScreenRect& screen,
                           int dpi) {
    MessageWinMeasures m;
    m.screen = screen;
    m.dpi = dpi;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old =
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32W(dc, letters, 52, &size);
    m.averageCharWidth = (size.cx / 26 + 1) / 2;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    m.charHeight = tm.tmHeight;
    RECT r{0, 0, messageTextWrapWidth(m.screen), 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
    m.textWidth = r.right - r.left;
    m.textHeight = r.bottom - r.top;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const SIZE frame = outerSizeForDpi(0, 0, kDialogStyle, kDialogExStyle, dpi);
    m.frameWidth = frame.cx;
    m.frameHeight = frame.cy;
    return m;
}

void CALLBACK zorderTick(HWND, UINT, UINT_PTR, DWORD) {
    auto held = inFront.TimerZorderTimer(reinterpret_cast<uintptr_t>(GetForegroundWindow()));
    if (!held) return;
    HWND dialog = reinterpret_cast<HWND>(*held);
    // A dialog under another modal window waits its turn.
    if (!IsWindow(dialog) || !IsWindowEnabled(dialog)) return;
    SetForegroundWindow(dialog);
    if (DialogState* s = stateOf(dialog)) SetFocus(s->lastFocus ? s->lastFocus : s->left.handle());
}

// Held while a dialog is kept in front; a nested dialog takes over and, on its return, the
// timer stops.
class KeepInFront {
public:
    explicit KeepInFront(HWND dialog) {
        inFront.hold(reinterpret_cast<uintptr_t>(dialog));
        if (!zorderTimer) zorderTimer = SetTimer(nullptr, 0, 1000, zorderTick);
    }
    ~KeepInFront() {
        if (zorderTimer) KillTimer(nullptr, zorderTimer);
        zorderTimer = 0;
        inFront.release();
    }
    KeepInFront(const KeepInFront&) = delete;
    KeepInFront& operator=(const KeepInFront&) = delete;
};

int32_t runModal(DialogState& s, bool keepInFront) {
    RegisteredForm registered(s.dialog);
    std::unique_ptr<KeepInFront> inFrontHold;
    if (keepInFront) inFrontHold = std::make_unique<KeepInFront>(s.dialog);
    // Opened by a click, the buttons show no focus rectangle until the keyboard is used.
    s.cues.opened(lastInputFromKeyboard());
    applyCues(s);
    {
        DisabledWindows disabled(s.dialog);
        ShowWindow(s.dialog, SW_SHOW);
        soundFor(s.type);
        Application::instance().bringToFront(s.dialog);
        SetFocus(s.left.handle());
        // Readers speak the dialog, its caption and its text, as they do the system's own.
        notifyAccessibleEvent(EVENT_SYSTEM_ALERT, s.dialog, CHILDID_SELF);
        while (!s.done) {
            MSG msg;
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                // The program is ending: leave the dialog and let the outer loop see it too.
                PostQuitMessage(static_cast<int>(msg.wParam));
                finish(s, kResultCancel);
                break;
            }
            if (got == -1) break;
            noteInput(msg.message);
            if (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP &&
                (msg.hwnd == s.dialog || IsChild(s.dialog, msg.hwnd)) &&
                s.cues.key(msg.message, static_cast<uint32_t>(msg.wParam)))
                applyCues(s);
            if (!IsDialogMessageW(s.dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        // The other windows come back before the dialog goes, so the activation returns
        // to them rather than to another program.
    }
    ShowWindow(s.dialog, SW_HIDE);
    return s.result;
}
} // namespace

int32_t showMessageWin(HWND owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet, bool keepInFront) {
    HINSTANCE module = Application::instance().module();
    if (module == nullptr) module = GetModuleHandleW(nullptr);
    if (!registerClasses(module)) return kResultCancel;

    DialogState s;
    s.text = widen(text);

    std::optional<Dimension> ownerBounds;
    if (owner && IsWindow(owner)) ownerBounds = windowDimension(owner);
    std::optional<Dimension> panelBounds;
    HWND panel = Application::instance().mainWindow();
    if (panel && IsWindow(panel)) panelBounds = windowDimension(panel);
    const Monitor monitor = messageWinMonitor(ownerBounds, panelBounds, systemMonitors());
    s.font = messageFont(monitor.dpi);
    const MessageWinLayout layout =
        layoutMessageWin(measure(s.font, s.text, monitor.bounds, monitor.dpi), type, buttonSet,
                         ownerBounds, workAreaOrFallback(monitor));
    if (layout.icon) {
        s.iconRect = toRect(*layout.icon);
        s.icon = iconFor(type, layout.icon->width);
    }
    s.textRect = toRect(layout.text);
    s.caption = caption;
    s.textNarrow = text;
    s.layout = layout;
    s.type = type;
    s.buttonSet = buttonSet;
    s.ownerBounds = ownerBounds;
    s.monitor = monitor;

    // Without an owner the hidden application window owns the dialog, so it gets no taskbar
    // button of its own.
    HWND ownerWindow = owner ? owner : Application::instance().handle();
    s.dialog = CreateWindowExW(kDialogExStyle, kDialogClass, widen(caption).c_str(), kDialogStyle,
                               layout.dialog.left, layout.dialog.top, layout.dialog.width,
                               layout.dialog.height, ownerWindow, nullptr, module, nullptr);
    if (!s.dialog) return kResultCancel;
    SetWindowLongPtrW(s.dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
    // The frame keeps its close box; the system menu offers nothing but moving and closing.
    if (HMENU menu = GetSystemMenu(s.dialog, FALSE)) {
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    }

    s.strip = CreateWindowExW(WS_EX_CONTROLPARENT, kStripClass, L"", WS_CHILD | WS_VISIBLE,
                              layout.strip.left, layout.strip.top, layout.strip.width,
                              layout.strip.height, s.dialog, nullptr, module, nullptr);
    if (!s.strip) return kResultCancel;
    if (!s.left.create(s.strip, kLeftButtonId, layout.left.button.caption, layout.left.bounds,
                       s.font))
        return kResultCancel;
    s.left.setColor(kDialogButtonColour);
    s.left.ModalResult = layout.left.button.result;
    s.left.Cancel = layout.left.button.cancel;
    if (layout.right) {
        if (!s.right.create(s.strip, kRightButtonId, layout.right->button.caption,
                            layout.right->bounds, s.font))
            return kResultCancel;
        s.right.setColor(kDialogButtonColour);
        s.right.ModalResult = layout.right->button.result;
        s.right.Cancel = layout.right->button.cancel;
    }
    s.lastFocus = s.left.handle();
    return runModal(s, keepInFront);
}

} // namespace qlx::win
