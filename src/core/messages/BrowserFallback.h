// When the messages window gives up on the system's browser control and shows the message in
// its built-in view instead: when the control cannot be made, when it reports that the page
// could not be loaded, or when it has delivered no page a long while after it was asked for
// one. A control that is merely slow (a busy machine, a first start of the HTML engine) is
// waited for until then, so that a working control is not replaced while it is loading.
#pragma once

#include <cstdint>

namespace qlx {

// How long a browser control that reports nothing may take to deliver its page.
inline constexpr uint32_t kBrowserPatienceMs = 20000;

class BrowserFallback {
  public:
    // Each event returns true when the built-in view must take the browser control's place
    // now; after that the view is the built-in one and nothing asks for a fallback again.

    // The window's view was made: the browser control, or nothing (it could not be made).
    bool created(bool browser);
    // The view was asked for its page: the wait begins.
    void pageRequested();
    // The control reports that a navigation failed.
    bool navigateError();
    // The view reports its page complete; delivered: its document took the message.
    bool documentComplete(bool delivered);
    // Time passed while waiting for the page.
    bool timePassed(uint32_t ms);

    bool browser() const { return browser_; }
    bool waiting() const { return waiting_; }

  private:
    bool fallBack();

    bool browser_ = false;
    bool waiting_ = false;
    uint32_t waitedMs_ = 0;
};

} // namespace qlx
