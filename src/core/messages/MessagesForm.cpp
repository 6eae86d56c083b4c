// The messages window's table and its handling of the view, links and keys.
#include "messages/MessagesForm.h"

#include "Text.h"
#include "panel/PanelLayout.h"
#include "lookup/OpenWebPage.h"
#include "panel/MessageWinLayout.h"

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

bool viewMayNavigateTo(std::string_view address) {
    auto startsWith = [&](std::string_view prefix) {
        return address.size() >= prefix.size() &&
               equalsNoCase(address.substr(0, prefix.size()), prefix);
    };
    return startsWith("http:") || startsWith("https:") || equalsNoCase(address, "about:blank");
}

bool TFormMessages::ViewCreated(bool browser) {
    return !fallback_.created(browser) || window_.useBuiltInView();
}

void TFormMessages::FormShow() {
    FillPending = true;
    fallback_.pageRequested();
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
    const bool delivered = body && body->setInnerHtml(html);
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

void TFormMessages::CppWebBrowser1NewWindow2(bool& cancel) {
    cancel = true;
    const std::string address = window_.view().activeElementAttribute("href");
    if (!address.empty()) openWebPage(shell_, messages_, address);
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
