#include "qt/messages/MessageView.h"

#include <QTimer>

#include "qt/system/Encoding.h"

namespace qlx::qt {

namespace {

class ViewBody final : public HtmlBody {
public:
    explicit ViewBody(MessageView& view) : view_(view) {}
    bool setPage(const std::string& page) override {
        view_.setHtml(fromCp1252(page));
        return true;
    }
    void setStyle(const std::string&, const std::string&) override {}

private:
    MessageView& view_;
};

} // namespace

MessageView::MessageView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (events.linkFollowed) events.linkFollowed(toCp1252(url.toString(QUrl::FullyEncoded)));
    });
}

void MessageView::Navigate(const std::string&) {
    // Only the program's blank page is ever asked for: it is there at once.
    clear();
    QTimer::singleShot(0, this, [this] {
        if (events.documentComplete) events.documentComplete();
    });
}

std::unique_ptr<HtmlBody> MessageView::body() { return std::make_unique<ViewBody>(*this); }

QVariant MessageView::loadResource(int, const QUrl&) { return {}; }

} // namespace qlx::qt
