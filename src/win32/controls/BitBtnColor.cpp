// The colour button's window: owner drawing from the paint plan, double click as a second
// press, the mouse entering and leaving, and the standard kinds' clicks.
#include "win32/controls/BitBtnColor.h"

#include <vector>

#include "win32/controls/ButtonGlyphPainter.h"
#include "win32/system/Encoding.h"
#include "win32/system/SystemColours.h"

namespace qlx::win {

namespace {
// Names the button object on its window, so the parent's drawing request finds it.
constexpr wchar_t kButtonProp[] = L"QuiklexBitBtnColor";

RECT toRect(const Rect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; }

// True when another button of the same window has the focus, so a default button does
// not look like one.
bool otherButtonFocused(HWND self) {
    HWND focus = GetFocus();
    if (focus == nullptr || focus == self) return false;
    wchar_t cls[16] = {};
    GetClassNameW(focus, cls, 16);
    return lstrcmpiW(cls, L"Button") == 0;
}

TBitBtnColor* buttonOf(HWND hwnd) {
    auto* button = static_cast<TBitBtnColor*>(GetPropW(hwnd, kButtonProp));
    return button && button->handle() == hwnd ? button : nullptr;
}

BOOL CALLBACK findCancel(HWND child, LPARAM found) {
    TBitBtnColor* button = buttonOf(child);
    if (button && button->Cancel && IsWindowVisible(child) && IsWindowEnabled(child)) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}
} // namespace

TBitBtnColor::~TBitBtnColor() { destroy(); }

bool TBitBtnColor::create(HWND parent, int id, const std::string& caption, const Rect& bounds,
                          HFONT font) {
    if (kind_ == TBitBtnKind::bkCustom || !caption.empty()) caption_ = caption;
    hwnd_ = CreateWindowExW(0, L"BUTTON", widen(caption_).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, bounds.left,
                            bounds.top, bounds.width, bounds.height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                            nullptr);
    if (!hwnd_) return false;
    if (font) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetPropW(hwnd_, kButtonProp, this);
    // Subclassed the classic way, so that the common-controls library loads only when a
    // window needs it, not at the program's start.
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc)));
    return true;
}

void TBitBtnColor::destroy() {
    if (!hwnd_) return;
    if (original_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(hwnd_, kButtonProp);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void TBitBtnColor::setColor(uint32_t colour) {
    if (colour == colour_) return;
    colour_ = colour;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TBitBtnColor::setKind(TBitBtnKind kind) {
    kind_ = kind;
    if (kind == TBitBtnKind::bkCustom) return;
    const BitBtnKindInfo info = bitBtnKindInfo(kind);
    setCaption(info.caption);
    ModalResult = info.modalResult;
    Cancel = info.isCancel;
    setDefault(info.isDefault);
    setGlyph(loadGlyph(GetModuleHandleW(nullptr), info.glyph));
}

void TBitBtnColor::setCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextW(hwnd_, widen(caption).c_str());
}

void TBitBtnColor::setGlyph(GlyphImage glyph) {
    numGlyphs_ = numGlyphsFor(glyph.width, glyph.height);
    glyph_ = std::move(glyph);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TBitBtnColor::setNumGlyphs(int32_t numGlyphs) {
    numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs > 4 ? 4 : numGlyphs;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

bool TBitBtnColor::kindClick(HWND hwnd) {
    TBitBtnColor* button = buttonOf(hwnd);
    if (button == nullptr) return false;
    switch (bitBtnClick(button->kind_)) {
    case BitBtnClick::ordinary: return false;
    case BitBtnClick::close:
        // Posted: the button is still inside its own click when this runs.
        PostMessageW(GetAncestor(hwnd, GA_ROOT), WM_CLOSE, 0, 0);
        return true;
    case BitBtnClick::help: {
        std::vector<HWND> parents;
        std::vector<uint32_t> contexts;
        // Parents up to the top-level window, not on into its owner.
        const HWND desktop = GetDesktopWindow();
        for (HWND p = GetAncestor(hwnd, GA_PARENT); p && p != desktop && parents.size() < 64;
             p = GetAncestor(p, GA_PARENT)) {
            parents.push_back(p);
            contexts.push_back(GetWindowContextHelpId(p));
        }
        if (auto nearest = nearestHelpContext(contexts)) {
            HWND owner = parents[*nearest];
            RECT r{};
            GetWindowRect(hwnd, &r);
            HELPINFO help{sizeof help, HELPINFO_WINDOW, GetDlgCtrlID(hwnd), hwnd,
                          contexts[*nearest], POINT{r.left, r.top}};
            SendMessageW(owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        }
        return true;
    }
    }
    return false;
}

bool TBitBtnColor::pressCancel(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(window, findCancel, reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) return false;
    SendMessageW(found, BM_CLICK, 0, 0);
    return true;
}

void TBitBtnColor::setDefault(bool isDefault) {
    isDefault_ = isDefault;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

bool TBitBtnColor::drawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return false;
    auto* button = static_cast<TBitBtnColor*>(GetPropW(item.hwndItem, kButtonProp));
    if (button == nullptr || button->hwnd_ != item.hwndItem) return false;
    button->paint(item);
    return true;
}

void TBitBtnColor::paint(const DRAWITEMSTRUCT& item) {
    RECT client;
    GetClientRect(hwnd_, &client);
    BitBtnState state;
    state.width = client.right - client.left;
    state.height = client.bottom - client.top;
    state.enabled = (item.itemState & ODS_DISABLED) == 0;
    state.pressed = (item.itemState & ODS_SELECTED) != 0;
    state.focused = (item.itemState & ODS_FOCUS) != 0;
    state.showAsDefault = state.focused || (isDefault_ && !otherButtonFocused(hwnd_));
    // The focus rectangle only after keyboard use, as the window's UI state says.
    state.focusRect = (item.itemState & ODS_NOFOCUSRECT) == 0;
    const BitBtnPaint plan = planBitBtnPaint(state);

    HDC dc = item.hDC;
    const ButtonColours drawn = buttonColours(
        colours(), colour_, colourEntry(ColourRole::buttonText).normal, state.enabled);
    const COLORREF face = resolvedColour(drawn.face);
    if (plan.frame) {
        RECT r = toRect(*plan.frame);
        HBRUSH frame = CreateSolidBrush(resolvedColour(drawn.frame));
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
    }
    RECT fill = toRect(plan.fill);
    HBRUSH faceBrush = CreateSolidBrush(face);
    FillRect(dc, &fill, faceBrush);
    DeleteObject(faceBrush);

    HPEN line = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(highlight_.forPaint(face)));
    HGDIOBJ oldPen = SelectObject(dc, line);
    MoveToEx(dc, plan.lineLeft, plan.lineY, nullptr);
    LineTo(dc, plan.lineRight, plan.lineY);
    SelectObject(dc, oldPen);
    DeleteObject(line);

    ButtonContent content;
    content.glyph = &glyph_;
    content.numGlyphs = numGlyphs_;
    content.state = plan.glyph;
    content.colours = {face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    const int length = GetWindowTextLengthW(hwnd_);
    content.caption.assign(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd_, content.caption.data(), length + 1);
    content.caption.resize(static_cast<size_t>(length));
    content.textColour = resolvedColour(drawn.text);
    content.font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    content.layout = Layout;
    content.margin = Margin;
    content.spacing = Spacing;
    drawButtonContent(dc, plan.content, content);

    if (plan.focus) {
        RECT focus = toRect(*plan.focus);
        SetTextColor(dc, resolvedColour(drawn.text));
        SetBkColor(dc, face);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT CALLBACK TBitBtnColor::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TBitBtnColor*>(GetPropW(hwnd, kButtonProp));
    try {
        if (self && self->hwnd_ == hwnd) return self->handle(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT TBitBtnColor::base(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(original_, hwnd_, msg, wParam, lParam);
}

LRESULT TBitBtnColor::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDBLCLK:
        // A quick second click presses the button again instead of being swallowed.
        return base(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
            TrackMouseEvent(&track);
            if (OnMouseEnter) OnMouseEnter();
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        if (OnMouseLeave) OnMouseLeave();
        break;
    case WM_SYSCOLORCHANGE:
        // A new scheme: the face may be another colour now, and its line with it.
        highlight_ = BitBtnHighlight{};
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case WM_SETFONT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: {
        LRESULT r = base(msg, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return r;
    }
    case WM_NCDESTROY: {
        HWND hwnd = hwnd_;
        WNDPROC original = original_;
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(hwnd, kButtonProp);
        hwnd_ = nullptr;
        return CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
    }
    return base(msg, wParam, lParam);
}

} // namespace qlx::win
