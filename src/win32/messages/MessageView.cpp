// The holder window of the messages window's view and the choice between the two views.
#include "win32/messages/MessageView.h"

#include "win32/system/SystemColours.h"

namespace qlx::win {

namespace {
const wchar_t kClassName[] = L"TMessageView";
}

TMessageViewHolder* TMessageViewHolder::create(HWND parent, const ControlBox& box, int dpi) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    auto* holder = new TMessageViewHolder();
    holder->dpi_ = dpi;
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, box.left, box.top,
                                box.width, box.height, parent, nullptr, module, holder);
    if (!hwnd) {
        delete holder;
        return nullptr;
    }
    try {
        holder->view_ = makeBrowserView(hwnd, holder->events);
    } catch (...) {
        holder->view_.reset();
    }
    if (holder->view_) {
        holder->view_->setDpi(dpi);
        holder->view_->resize(box.width, box.height);
    }
    return holder;
}

void TMessageViewHolder::setDpi(int dpi) {
    dpi_ = dpi;
    if (view_) view_->setDpi(dpi);
}

bool TMessageViewHolder::useBuiltInView() {
    if (view_ && view_->builtIn()) return false;
    std::unique_ptr<MessageView> builtIn;
    try {
        builtIn = makeBuiltInView(hwnd_, events);
    } catch (...) {
        return false;
    }
    if (!builtIn) return false;
    if (view_) {
        retired_ = std::move(view_);
        retired_->hide();
        PostMessageW(hwnd_, kMsgReleaseRetired, 0, 0);
    }
    view_ = std::move(builtIn);
    view_->setDpi(dpi_);
    RECT r{};
    GetClientRect(hwnd_, &r);
    view_->resize(r.right, r.bottom);
    return true;
}

LRESULT CALLBACK TMessageViewHolder::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* holder = static_cast<TMessageViewHolder*>(create->lpCreateParams);
        holder->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(holder));
    }
    auto* holder = reinterpret_cast<TMessageViewHolder*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!holder) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete holder;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    try {
        return holder->handle(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT TMessageViewHolder::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (view_ && view_->holderMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case kMsgReleaseRetired:
        retired_.reset();
        return 0;
    case kMsgDocumentComplete:
        if (events.documentComplete) events.documentComplete();
        return 0;
    case WM_SIZE:
        if (view_) view_->resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(hwnd_, &r);
        HBRUSH brush = CreateSolidBrush(resolvedColour(colours()(ColourRole::dialogBackground)));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_DESTROY:
        // The view's control goes before the window it lives in.
        view_.reset();
        retired_.reset();
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

} // namespace qlx::win
