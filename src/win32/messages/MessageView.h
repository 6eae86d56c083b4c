// The messages window's HTML view on the window layer: a child window that holds either the
// system's web-browser control or, where that cannot show the message, the built-in view of
// the HTML subset. The window sees only the view's operations, whichever it is.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "forms/FormLayout.h"
#include "messages/HtmlViewPort.h"

namespace qlx::win {

// The events a view raises to its window.
struct MessageViewEvents {
    std::function<void()> documentComplete;
    // A link asks for a new window, for the address; userInitiated when the user clicked it
    // or pressed a key. The handler sets cancel to keep the view from making one.
    std::function<void(const std::string& address, bool userInitiated, bool& cancel)> newWindow;
    // The view is about to load the address in its page (topLevel) or in a frame; cancel
    // comes set and the handler clears it to let the navigation go on.
    std::function<void(const std::string& address, bool topLevel, bool& cancel)> beforeNavigate;
    // A navigation failed: the page cannot be had.
    std::function<void()> navigateError;
};

class MessageView : public HtmlViewPort {
  public:
    virtual bool builtIn() const = 0;
    // The holder's client area changed to this size.
    virtual void resize(int width, int height) = 0;
    // Enter or key 43 for the view; true when it took the key.
    virtual bool translateKey(MSG& msg) = 0;
    // A message to the holder window from the view's own control; true when handled.
    virtual bool holderMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // The view gives way to another: out of sight until it is released.
    virtual void hide() = 0;
    // The scale its window draws at: the page's text and margins follow it.
    virtual void setDpi(int) {}
};

// The system's web-browser control, when the system has an HTML engine; null otherwise.
std::unique_ptr<MessageView> makeBrowserView(HWND holder, MessageViewEvents& events);
// The built-in view on the system's rich-text control; null when that cannot be made.
std::unique_ptr<MessageView> makeBuiltInView(HWND holder, MessageViewEvents& events);

// The child window that holds the view and stands in the window's table as the HTML view.
class TMessageViewHolder {
  public:
    // Creates the holder with the browser view when the system can make one, else with no
    // view yet; null when the holder cannot be made. It lives as long as its window and
    // frees itself then.
    static TMessageViewHolder* create(HWND parent, const ControlBox& box, int dpi);
    HWND handle() const { return hwnd_; }
    bool hasView() const { return view_ != nullptr; }
    MessageView& view() { return *view_; }
    MessageViewEvents events;
    // Puts the built-in view in the browser's place, or makes it when there is no view; false
    // when it already is the built-in one or it cannot be made.
    bool useBuiltInView();
    // The window moved onto a monitor of another scale.
    void setDpi(int dpi);
    // Posted by a view whose page is complete; the holder raises the event from its loop.
    static constexpr UINT kMsgDocumentComplete = WM_APP + 60;
    static constexpr UINT kMsgReleaseRetired = WM_APP + 61;

  private:
    TMessageViewHolder() = default;
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<MessageView> view_;
    // A view that gave way from inside one of its own events; released from the loop later.
    std::unique_ptr<MessageView> retired_;
};

} // namespace qlx::win
