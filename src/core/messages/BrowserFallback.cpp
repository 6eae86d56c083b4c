// The messages window's choice between the browser control and the built-in view.
#include "messages/BrowserFallback.h"

namespace qlx {

bool BrowserFallback::fallBack() {
    if (!browser_) return false; // the built-in view has nothing to fall back to
    browser_ = false;
    waiting_ = false;
    return true;
}

bool BrowserFallback::created(bool browser) {
    browser_ = browser;
    waiting_ = false;
    return !browser;
}

void BrowserFallback::pageRequested() {
    waiting_ = true;
    waitedMs_ = 0;
}

bool BrowserFallback::navigateError() {
    return waiting_ && fallBack();
}

bool BrowserFallback::documentComplete(bool delivered) {
    if (!waiting_) return false;
    waiting_ = false;
    return !delivered && fallBack();
}

bool BrowserFallback::timePassed(uint32_t ms) {
    if (!waiting_) return false;
    waitedMs_ = ms >= kBrowserPatienceMs - waitedMs_ ? kBrowserPatienceMs : waitedMs_ + ms;
    return waitedMs_ >= kBrowserPatienceMs && fallBack();
}

} // namespace qlx
