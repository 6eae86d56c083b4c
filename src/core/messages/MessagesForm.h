// The messages window: its layout, and how it shows one news message. The message goes into
// a blank page once the view reports the page complete, and showing it marks it as shown.
// Links that ask for a new window open in the user's browser; Esc closes the window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/FormLayout.h"
#include "lookup/ShellOpenPort.h"
#include "messages/BrowserFallback.h"
#include "messages/HtmlViewPort.h"
#include "messages/MessageStore.h"
#include "dialogs/MessageWinPort.h"

namespace qlx {

inline constexpr int kMessagesClientWidth = 539;
inline constexpr int kMessagesClientHeight = 366;
inline constexpr const char* kBlankMessagePage = "about:<p></p>";
inline constexpr const char* kNoMessagesText = "Der er ingen meddelelser";
inline constexpr const char* kEmptyMessageText = "(tom)";
inline constexpr const char* kMessageFontFamily = "Arial, Helvetica, sans-serif";
inline constexpr const char* kMessageMargin = "7px";
// A view that has not reported its page complete by then gets no document at all.
inline constexpr uint32_t kMessageFillTimeoutMs = kBrowserPatienceMs;

FormDesc messagesFormLayout();

// The page a message is shown in: a standards-mode document with a fixed style of the
// program's own (font and margin) around the message's HTML subset (flatSubsetHtml).
std::string messagePage(std::string_view html);

// What the window's logic asks of its window.
class MessagesWindowPort {
  public:
    virtual ~MessagesWindowPort() = default;
    virtual HtmlViewPort& view() = 0;
    // Puts the built-in view in the browser view's place (or makes it, when there is no
    // view yet); false when the view already is the built-in one or it cannot be made.
    virtual bool useBuiltInView() = 0;
    // The timer after which a page that never came counts as missing.
    virtual void setFillTimer(bool enabled) = 0;
    virtual void setModalResult(int32_t result) = 0;
};

class TFormMessages {
  public:
    TFormMessages(MessagesWindowPort& window, MessageStore& store, ShellOpenPort& shell,
                  MessageWinPort& messages)
        : window_(window), store_(store), shell_(shell), messages_(messages) {}

    // Index into the received list, set before the window is shown; -1 for none.
    int32_t CurrentIndex = -1;
    // The blank page has been asked for and the message is still to go into it.
    bool FillPending = false;
    // The blank page has been asked for and its navigation has not come yet.
    bool OwnNavigationPending = false;

    // The window made its view: the browser control, or none (it could not be made). False
    // when the window has no view to show the message in.
    bool ViewCreated(bool browser);
    // Asks the view for the blank page the message goes into.
    void FormShow();
    // Puts the message into the page: only the first time after FormShow.
    void CppWebBrowser1DocumentComplete();
    // The view could not load a page: the built-in view shows the message instead.
    void CppWebBrowser1NavigateError();
    // The page never came: the built-in view shows the message instead.
    void FillTimerTimer();
    // A link asks for a new window: never one of the view's own. The address goes to the
    // user's browser when the user asked for it (a click or a key). cancel is always set.
    void CppWebBrowser1NewWindow3(const std::string& address, bool userInitiated, bool& cancel);
    // The view is about to load address, in its top-level page or in a frame. The view never
    // leaves the program's page: only the blank page asked for by FormShow loads, once; a
    // top-level web link goes to the user's browser instead. cancel is set for all else.
    void CppWebBrowser1BeforeNavigate2(const std::string& address, bool topLevel, bool& cancel);

    enum class KeyRoute {
        None,   // the message goes its usual way
        Closed, // Esc: the window closes with Cancel; the message is used up
        ToView, // Enter or key 43 for the view to handle
    };
    // Every message the application receives while the window exists; keyDownOrUp tells
    // whether it is a key going down or up, of virtualKey.
    KeyRoute ApplicationEvents1Message(bool keyDownOrUp, uint32_t virtualKey);
    void ButtonCloseClick();

  private:
    // The view's page could not be had: the built-in view takes over and the fill waits for
    // its page. False when there is nothing left to try.
    bool fillInBuiltInView();
    // Gives up on the page when the built-in view cannot take over.
    void fallBack();

    MessagesWindowPort& window_;
    MessageStore& store_;
    ShellOpenPort& shell_;
    MessageWinPort& messages_;
    BrowserFallback fallback_;
};

} // namespace qlx
