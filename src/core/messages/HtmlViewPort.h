// The view the messages window shows a message in, with the operations of the system's
// web-browser control that the window uses. The window layer has two: the system's browser
// control, and a built-in view of a safe subset of HTML for where there is none.
#pragma once

#include <memory>
#include <string>

namespace qlx {

// The body of the view's document.
class HtmlBody {
  public:
    virtual ~HtmlBody() = default;
    // Replaces the document with the page: a whole document of the program's own making
    // (messagePage). False when the document refused it.
    virtual bool setPage(const std::string& page) = 0;
    // The body's style: its font families (a CSS list) and its margin (a CSS length).
    virtual void setStyle(const std::string& fontFamily, const std::string& margin) = 0;
};

class HtmlViewPort {
  public:
    virtual ~HtmlViewPort() = default;
    // Loads the address; the document-complete event follows when it is there.
    virtual void Navigate(const std::string& address) = 0;
    virtual bool Busy() = 0;
    // The document's body; null when there is no document or no body.
    virtual std::unique_ptr<HtmlBody> body() = 0;
};

} // namespace qlx
