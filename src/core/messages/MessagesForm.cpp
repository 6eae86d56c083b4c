// The messages window's table and its handling of the view, links and keys.
#include "messages/MessagesForm.h"

#include "Text.h"
#include "panel/PanelLayout.h"
#include "lookup/OpenWebPage.h"
#include "messages/HtmlSubset.h"
#include "dialogs/MessageWinLayout.h"

namespace qlx {

namespace {
constexpr uint32_t kKeyEnter = 13;
constexpr uint32_t kKeyEscape = 27;
constexpr uint32_t kKeyExecute = 43;
constexpr uint8_t kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
} // namespace

FormDesc messagesFormLayout() {
    FormDesc form;
    form.windowClass = "TFormMessages";
    form.caption = std::string(" ") + programTitle + " - meddelelse";
    form.clientWidth = kMessagesClientWidth;
    form.clientHeight = kMessagesClientHeight;
    form.minWidth = 400;
    form.minHeight = 400;

    ControlDesc single{"PanelSingle", ControlKind::Panel, "", {0, 0, 539, 338}};
    single.colour = kWhite;
    single.anchors = kAnchorAll;
    form.controls.push_back(single);
    ControlDesc view{"CppWebBrowser1", ControlKind::HtmlView, "PanelSingle", {8, 11, 521, 326}};
    view.anchors = kAnchorAll;
    form.controls.push_back(view);

    addBottomPanel(form, {0, 338, 539, 28}, kPanelColour);
    ControlDesc ok{"ButtonClose", ControlKind::FlatButton, "PanelBottom", {34, 6, 45, 17}};
    ok.text = {{"OK"}};
    ok.font = FontDesc{12, true, false, kWhite};
    ok.modalResult = kResultOk;
    form.controls.push_back(ok);
    return form;
}

std::string messagePage(std::string_view html) {
    // The document type and the compatibility mark keep the browser control out of its old
    // document mode; the character set is the program's own.
    return std::string("<!DOCTYPE html><html><head>"
                       "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                       "charset=windows-1252\">"
                       "<style>body{font-family:") +
           kMessageFontFamily + ";margin:" + kMessageMargin +
           ";background:#fff;color:#000}a{color:#00f}</style></head><body>" +
           flatSubsetHtml(html) + "</body></html>";
}

bool TFormMessages::ViewCreated(bool browser) {
    return !fallback_.created(browser) || window_.useBuiltInView();
}

void TFormMessages::FormShow() {
    FillPending = true;
    fallback_.pageRequested();
    OwnNavigationPending = true;
    window_.setFillTimer(true);
    window_.view().Navigate(kBlankMessagePage);
}

bool TFormMessages::fillInBuiltInView() {
    if (!window_.useBuiltInView()) return false;
    FormShow();
    return true;
}

void TFormMessages::fallBack() {
    window_.setFillTimer(false);
    if (!fillInBuiltInView()) FillPending = false;
}

void TFormMessages::CppWebBrowser1DocumentComplete() {
    if (!FillPending) return;
    FillPending = false;
    window_.setFillTimer(false);

    // The list is looked up now: a download that completed meanwhile may have replaced it.
    ReceivedMessageList* list = store_.received();
    const bool inList =
        list && CurrentIndex >= 0 && static_cast<size_t>(CurrentIndex) < list->size();
    std::string html;
    if (!list || CurrentIndex < 0)
        html = kNoMessagesText;
    else if (inList)
        html = (*list)[CurrentIndex].text.empty() ? kEmptyMessageText : (*list)[CurrentIndex].text;

    std::unique_ptr<HtmlBody> body = window_.view().body();
    // Without a document the message would stay unseen behind a blank view.
    const bool delivered = body && body->setPage(messagePage(html));
    if (fallback_.documentComplete(delivered)) fillInBuiltInView();
    if (!delivered) return;
    if (inList) {
        list = store_.received();
        if (list && static_cast<size_t>(CurrentIndex) < list->size())
            (*list)[CurrentIndex].shown = true;
    }
    body->setStyle(kMessageFontFamily, kMessageMargin);
}

void TFormMessages::CppWebBrowser1NavigateError() {
    if (FillPending && fallback_.navigateError()) fallBack();
}

void TFormMessages::FillTimerTimer() {
    window_.setFillTimer(false);
    if (!FillPending) return;
    // The timer runs once, for the whole time a page may take.
    if (fallback_.timePassed(kMessageFillTimeoutMs))
        fallBack();
    else
        FillPending = false; // the built-in view's page never came: nothing left to try
}

void TFormMessages::CppWebBrowser1NewWindow3(const std::string& address, bool userInitiated,
                                            bool& cancel) {
    cancel = true;
    if (userInitiated && !address.empty()) openWebPage(shell_, messages_, address);
}

void TFormMessages::CppWebBrowser1BeforeNavigate2(const std::string& address, bool topLevel,
                                                 bool& cancel) {
    // The whole address, not its beginning: "about:" pages can carry markup of their own.
    if (topLevel && OwnNavigationPending && address == kBlankMessagePage) {
        OwnNavigationPending = false;
        cancel = false;
        return;
    }
    cancel = true;
    // The page has no scripts, frames or refreshes: a top-level navigation is a link the user
    // followed. Only web pages go on to the browser.
    auto startsWith = [&](std::string_view prefix) {
        return address.size() >= prefix.size() &&
               equalsNoCase(std::string_view(address).substr(0, prefix.size()), prefix);
    };
    if (topLevel && (startsWith("http://") || startsWith("https://")))
        openWebPage(shell_, messages_, address);
}

TFormMessages::KeyRoute TFormMessages::ApplicationEvents1Message(bool keyDownOrUp,
                                                                 uint32_t virtualKey) {
    if (!keyDownOrUp) return KeyRoute::None;
    if (virtualKey == kKeyEscape) {
        window_.setModalResult(kResultCancel);
        return KeyRoute::Closed;
    }
    if ((virtualKey == kKeyEnter || virtualKey == kKeyExecute) && !window_.view().Busy())
        return KeyRoute::ToView;
    return KeyRoute::None;
}

void TFormMessages::ButtonCloseClick() {
    window_.setModalResult(kResultOk);
}

} // namespace qlx
