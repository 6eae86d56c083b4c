// The view a news message is shown in: a rich-text view that loads nothing (no images, no
// style sheets, no files, no network: every resource it asks for is answered with nothing).
// Its page is the program's own; a link the user follows goes to the window's logic, which
// opens it in the user's browser after the address check.
#pragma once

#include <QTextBrowser>

#include <functional>

#include "messages/HtmlViewPort.h"

namespace qlx::qt {

class MessageView final : public QTextBrowser, public HtmlViewPort {
public:
    struct Events {
        std::function<void()> documentComplete;
        std::function<void(const std::string& address)> linkFollowed;
    };
    explicit MessageView(QWidget* parent);
    Events events;

    // HtmlViewPort
    void Navigate(const std::string& address) override;
    bool Busy() override { return false; }
    std::unique_ptr<HtmlBody> body() override;

    QVariant loadResource(int type, const QUrl& name) override;
};

} // namespace qlx::qt
