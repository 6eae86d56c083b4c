// Drawing and mouse handling for windowless controls, and the panel window.
#include "win32/panel/PanelHost.h"

#include <windowsx.h>

#include "win32/system/SystemColours.h"

namespace qlx::win {

void GraphicHost::add(std::unique_ptr<GraphicControl> control) {
    controls_.push_back(std::move(control));
}

GraphicControl* GraphicHost::find(std::string_view name) const {
    for (const auto& c : controls_)
        if (c->name() == name) return c.get();
    return nullptr;
}

void GraphicHost::paint(HWND window, uint32_t background) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(gdiColour(colours().background(background)));
    FillRect(memory, &client, brush);
    DeleteObject(brush);
    for (const auto& c : controls_) {
        if (!c->visible()) continue;
        const int saved = SaveDC(memory);
        c->paint(memory);
        RestoreDC(memory, saved);
        // Only in the window that has the keyboard, and only after keyboard use.
        if (c->focusRectShown() && GetFocus() == GetAncestor(window, GA_ROOT)) {
            RECT r = rectOf(c->box);
            InflateRect(&r, -2, -2);
            SetTextColor(memory, RGB(0, 0, 0));
            SetBkColor(memory, RGB(255, 255, 255));
            DrawFocusRect(memory, &r);
        }
    }
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &ps);
}

GraphicControl* GraphicHost::controlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        GraphicControl* c = it->get();
        if (c->visible() && c->interactive() && c->box.contains(x, y)) return c;
    }
    return nullptr;
}

void GraphicHost::setHot(HWND window, GraphicControl* control) {
    if (hot_ == control) return;
    if (hot_) hot_->setHot(false);
    hot_ = control;
    if (hot_) {
        hot_->setHot(true);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
    }
}

bool GraphicHost::mouse(HWND window, UINT msg, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_MOUSEMOVE: {
        GraphicControl* under = controlAt(x, y);
        // While a button is held, only that button lights up.
        setHot(window, pressed_ && under != pressed_ ? nullptr : under);
        return true;
    }
    case WM_MOUSELEAVE:
        if (!pressed_) setHot(window, nullptr);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GraphicControl* c = controlAt(x, y); c && c->enabled()) {
            pressed_ = c;
            c->setPressed(true);
            setHot(window, c);
            SetCapture(window);
        }
        return true;
    case WM_LBUTTONUP: {
        GraphicControl* released = pressed_;
        if (!released) return true;
        pressed_ = nullptr;
        released->setPressed(false);
        if (GetCapture() == window) ReleaseCapture();
        const bool inside = released->box.contains(x, y);
        setHot(window, controlAt(x, y));
        if (inside && released->enabled() && released->OnClick) released->OnClick();
        return true;
    }
    case WM_CAPTURECHANGED:
        if (pressed_) {
            pressed_->setPressed(false);
            pressed_ = nullptr;
        }
        return true;
    }
    return false;
}

TPanel* TPanel::create(HWND parent, const ControlDesc& desc, const ControlBox& box) {
    static bool registered = false;
    HINSTANCE module = GetModuleHandleW(nullptr);
    if (!registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = module;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TPanel";
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
        registered = true;
    }
    auto* panel = new TPanel(desc);
    panel->designBox = box;
    panel->hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, L"TPanel", L"",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                   box.left, box.top, box.width, box.height, parent, nullptr,
                                   module, panel);
    if (!panel->hwnd_) {
        delete panel;
        return nullptr;
    }
    return panel;
}

LRESULT CALLBACK TPanel::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* panel = reinterpret_cast<TPanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!panel) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: panel->host_.paint(hwnd, panel->desc_.colour); return 0;
        case WM_UPDATEUISTATE:
            // The focus rectangle or the underlines come or go.
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        case WM_GETOBJECT:
            if (panel->OnGetObject)
                if (const LRESULT r = panel->OnGetObject(wParam, lParam)) return r;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete panel;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        default:
            if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
                panel->host_.mouse(hwnd, msg, lParam);
                return 0;
            }
            if (msg == WM_MOUSELEAVE || msg == WM_CAPTURECHANGED) {
                panel->host_.mouse(hwnd, msg, lParam);
                return 0;
            }
        }
    } catch (...) {
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace qlx::win
