// The built-in message view: the message's HTML reduced to its safe subset and shown in the
// system's read-only rich-text control, where the text can be selected, copied and scrolled
// and its web links clicked. It behaves towards the window like the browser view: its page
// completes after a navigation, and a link raises the new-window event.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <string>

#include "win32/system/Encoding.h"
#include "win32/system/SystemColours.h"
#include "win32/system/SystemLibrary.h"
#include "win32/messages/MessageView.h"
#include "messages/HtmlSubset.h"
#include "Scale.h"

namespace qlx::win {

namespace {

// More link ranges than this in one message are shown as links but not made clickable: each
// costs the control a pass over its text.
constexpr size_t kMaxLinkRanges = 1000;
constexpr LONG kMaxTextLength = 16 * 1024 * 1024;

// The rich-text control's window class, loaded once from the system folder.
const wchar_t* richEditClass() {
    static const wchar_t* const name = [] {
        if (loadSystemLibrary(L"msftedit.dll")) return L"RICHEDIT50W";
        if (loadSystemLibrary(L"riched20.dll")) return L"RichEdit20W";
        return static_cast<const wchar_t*>(nullptr);
    }();
    return name;
}

// The page's background: white, or in high contrast the system's window colour.
void setBackground(HWND edit) {
    SendMessageW(edit, EM_SETBKGNDCOLOR, 0,
                 static_cast<LPARAM>(resolvedColour(colours()(ColourRole::dialogBackground))));
}

struct StreamSource {
    const std::string* text;
    size_t at;
};

DWORD CALLBACK readRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t n =
        std::min<size_t>(static_cast<size_t>(wanted), source->text->size() - source->at);
    std::copy_n(source->text->data() + source->at, n, buffer);
    source->at += n;
    *given = static_cast<LONG>(n);
    return 0;
}

class RichTextView;

class RichTextBody final : public HtmlBody {
  public:
    explicit RichTextBody(RichTextView& view) : view_(view) {}
    bool setPage(const std::string& page) override;
    void setStyle(const std::string& fontFamily, const std::string& margin) override;

  private:
    RichTextView& view_;
};

class RichTextView final : public MessageView {
  public:
    RichTextView(HWND holder, HWND edit, MessageViewEvents& events)
        : holder_(holder), edit_(edit), events_(events) {}
    ~RichTextView() override {
        if (IsWindow(edit_)) DestroyWindow(edit_);
    }

    void Navigate(const std::string&) override {
        // The page is there at once; like the browser's, its completion comes from the loop.
        PostMessageW(holder_, TMessageViewHolder::kMsgDocumentComplete, 0, 0);
    }
    bool Busy() override { return false; }
    std::unique_ptr<HtmlBody> body() override { return std::make_unique<RichTextBody>(*this); }
    bool builtIn() const override { return true; }
    void hide() override { ShowWindow(edit_, SW_HIDE); }

    // The control turns the page's point sizes into pixels at the screen's DPI; on a monitor
    // of another scale the page is made again with its fonts at that monitor's size, and the
    // margin follows.
    void setDpi(int dpi) override {
        const int before = dpi_;
        dpi_ = dpi > 0 ? dpi : kDesignDpi;
        if (dpi_ != before) renderInPlace();
        applyMargin();
    }

    void resize(int width, int height) override {
        MoveWindow(edit_, 0, 0, width, height, TRUE);
        applyMargin();
    }

    bool translateKey(MSG& msg) override {
        // Enter on a link opens it, as in the browser.
        if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
        CHARRANGE selection{};
        SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        return openLinkAt(selection.cpMin);
    }

    bool holderMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_SYSCOLORCHANGE) {
            // A new colour scheme: the page again in its colours.
            setBackground(edit_);
            renderInPlace();
            return false;
        }
        if (msg != WM_NOTIFY) return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != edit_ || header->code != EN_LINK) return false;
        const auto* link = reinterpret_cast<const ENLINK*>(lParam);
        if (link->msg == WM_LBUTTONUP) {
            // The character under the mouse: two links side by side form one range.
            POINTL at{GET_X_LPARAM_(link->lParam), GET_Y_LPARAM_(link->lParam)};
            LONG pos = static_cast<LONG>(
                SendMessageW(edit_, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
            if (pos < link->chrg.cpMin || pos >= link->chrg.cpMax) pos = link->chrg.cpMin;
            openLinkAt(pos);
        }
        result = 0;
        return true;
    }

    void setHtml(const std::string& html) {
        text_ = htmlToRichText(html);
        render();
    }

    void setStyle(const std::string& fontFamily, const std::string& margin) {
        std::string face = firstFontFamily(fontFamily);
        if (face.empty()) face = face_;
        const int pixels = cssPixels(margin, margin_);
        const bool newFace = face != face_;
        face_ = face;
        margin_ = pixels;
        if (newFace) render();
        applyMargin();
    }

  private:
    static LONG GET_X_LPARAM_(LPARAM l) { return static_cast<short>(LOWORD(l)); }
    static LONG GET_Y_LPARAM_(LPARAM l) { return static_cast<short>(HIWORD(l)); }

    void applyMargin() {
        RECT r{};
        GetClientRect(edit_, &r);
        const int margin = scaled(margin_, dpi_);
        InflateRect(&r, -margin, -margin);
        if (r.right < r.left) r.right = r.left;
        if (r.bottom < r.top) r.bottom = r.top;
        SendMessageW(edit_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    }

    // The page made again, the reader kept at the text shown at the top, wherever it wraps now.
    void renderInPlace() {
        const LRESULT line = SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
        const LRESULT first = SendMessageW(edit_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
        render();
        const LRESULT now = SendMessageW(edit_, EM_EXLINEFROMCHAR, 0, first > 0 ? first : 0);
        if (now > 0) SendMessageW(edit_, EM_LINESCROLL, 0, now);
    }

    void render() {
        SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
        int screen = kDesignDpi;
        if (HDC dc = GetDC(edit_)) {
            screen = GetDeviceCaps(dc, LOGPIXELSY);
            ReleaseDC(edit_, dc);
        }
        // The text's colours always named, so that the control's own (the system's) never
        // stands on the background the view is given.
        const ColourScheme& scheme = colours();
        const std::string rtf = richTextToRtf(
            text_, face_, dpi_, screen, {scheme(ColourRole::dialogText), scheme(ColourRole::link)});
        StreamSource source{&rtf, 0};
        EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, readRtf};
        SendMessageW(edit_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));

        // The links: each run of one link's characters becomes a clickable range.
        CHARFORMAT2W link{};
        link.cbSize = sizeof link;
        link.dwMask = CFM_LINK;
        link.dwEffects = CFE_LINK;
        size_t ranges = 0;
        for (size_t i = 0; i < text_.runs.size() && ranges < kMaxLinkRanges;) {
            const RichRun& first = text_.runs[i];
            if (first.link < 0) {
                ++i;
                continue;
            }
            uint32_t end = first.start + first.length;
            size_t j = i + 1;
            while (j < text_.runs.size() && text_.runs[j].link == first.link &&
                   text_.runs[j].start == end) {
                end = text_.runs[j].start + text_.runs[j].length;
                ++j;
            }
            CHARRANGE range{static_cast<LONG>(first.start), static_cast<LONG>(end)};
            SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&link));
            ++ranges;
            i = j;
        }
        SendMessageW(edit_, EM_SETSEL, 0, 0);
        SendMessageW(edit_, WM_VSCROLL, SB_TOP, 0);
        SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(edit_, nullptr, TRUE);
    }

    bool openLinkAt(LONG pos) {
        const auto it = std::upper_bound(
            text_.runs.begin(), text_.runs.end(), pos,
            [](LONG p, const RichRun& r) { return p < static_cast<LONG>(r.start); });
        if (it == text_.runs.begin()) return false;
        const RichRun& run = *(it - 1);
        if (run.link < 0 || pos >= static_cast<LONG>(run.start + run.length)) return false;
        // Only a click or Enter gets here: the user's own request.
        bool cancel = false;
        if (events_.newWindow)
            events_.newWindow(text_.links[static_cast<size_t>(run.link)], true, cancel);
        return true;
    }

    HWND holder_;
    HWND edit_;
    MessageViewEvents& events_;
    RichText text_;
    std::string face_ = "Arial";
    int margin_ = 7; // at 96 DPI
    int dpi_ = kDesignDpi;
};

bool RichTextBody::setPage(const std::string& page) {
    // The same page the browser gets reads back to the message's subset.
    view_.setHtml(page);
    return true;
}

void RichTextBody::setStyle(const std::string& fontFamily, const std::string& margin) {
    view_.setStyle(fontFamily, margin);
}

} // namespace

std::unique_ptr<MessageView> makeBuiltInView(HWND holder, MessageViewEvents& events) {
    const wchar_t* className = richEditClass();
    if (!className) return nullptr;
    RECT r{};
    GetClientRect(holder, &r);
    HWND edit = CreateWindowExW(0, className, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                    ES_READONLY | ES_AUTOVSCROLL,
                                0, 0, r.right, r.bottom, holder, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
    if (!edit) return nullptr;
    SendMessageW(edit, EM_EXLIMITTEXT, 0, kMaxTextLength);
    setBackground(edit);
    SendMessageW(edit, EM_SETEVENTMASK, 0, ENM_LINK);
    SendMessageW(edit, EM_AUTOURLDETECT, FALSE, 0);
    return std::make_unique<RichTextView>(holder, edit, events);
}

} // namespace qlx::win
