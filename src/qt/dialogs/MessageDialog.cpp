#include "qt/dialogs/MessageDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/MessageWinLayout.h"
#include "qt/app/PanelMain.h"
#include "qt/system/Encoding.h"

namespace qlx::qt {

namespace {

QStyle::StandardPixmap iconOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::warning: return QStyle::SP_MessageBoxWarning;
    case TMsgDlgType::error: return QStyle::SP_MessageBoxCritical;
    case TMsgDlgType::information: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_MessageBoxQuestion;
    }
}

class Dialog final : public QDialog {
public:
    explicit Dialog(std::optional<int32_t> escape) : escape_(escape) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            // Esc answers as the button set says, and with "Ja" and "Nej" not at all.
            if (escape_) done(*escape_);
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void reject() override { done(kResultCancel); } // the close box

private:
    std::optional<int32_t> escape_;
};

} // namespace

int32_t MessageDialog::MessageWin(DialogOwner owner, const std::string& text,
                                  const std::string& caption, TMsgDlgType type,
                                  int32_t buttonSet) {
    const ButtonSet set = buttonSetFor(buttonSet);
    Dialog dialog(escapeResult(buttonSet));
    dialog.setWindowTitle(fromCp1252(caption));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setAutoFillBackground(true);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    dialog.setPalette(palette);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(12);
    if (hasIcon(type)) {
        auto* icon = new QLabel;
        icon->setPixmap(dialog.style()->standardIcon(iconOf(type)).pixmap(kIconSize, kIconSize));
        icon->setAlignment(Qt::AlignTop);
        body->addWidget(icon);
    }
    auto* label = new QLabel(fromCp1252(text));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Word-wrapped to half the screen; a shorter text keeps its own width.
    const int wrap = messageTextWrapWidth(screen ? screen->geometry().width() : 1024);
    int widest = 0;
    for (const QString& line : label->text().split('\n'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    label->setFixedWidth(std::min(widest + 2, wrap));
    body->addWidget(label, 1);

    auto* strip = new QWidget;
    strip->setAutoFillBackground(true);
    QPalette stripPalette = strip->palette();
    stripPalette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    strip->setPalette(stripPalette);
    strip->setFixedHeight(kStripHeight + 8);
    auto* buttons = new QHBoxLayout(strip);
    buttons->setContentsMargins(8, 4, 8, 4);
    buttons->addStretch();
    QPushButton* first = nullptr;
    for (const std::optional<DialogButton>& b : {std::optional(set.left), set.right}) {
        if (!b) continue;
        auto* button = new QPushButton(fromCp1252(b->caption));
        button->setMinimumSize(kDialogButtonWidth, kDialogButtonHeight);
        const int32_t result = b->result;
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
        buttons->addWidget(button);
        if (!first) first = button;
    }
    auto* all = new QVBoxLayout(&dialog);
    all->setContentsMargins(0, 0, 0, 0);
    all->setSpacing(0);
    all->addLayout(body);
    all->addWidget(strip);
    dialog.setMinimumWidth(set.minimumWidth);
    if (first) {
        first->setDefault(true);
        first->setFocus();
    }
    dialog.adjustSize();
    const QRect area = owner == DialogOwner::panel && main_.panel().isVisible()
                           ? [this] {
                                 const Dimension d = main_.panel().panelBounds();
                                 return QRect(d.left, d.top, d.width, d.height);
                             }()
                           : (screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768));
    QRect place(QPoint(0, 0), dialog.size());
    place.moveCenter(area.center());
    if (screen) {
        const QRect work = screen->availableGeometry();
        place.moveLeft(std::clamp(place.left(), work.left(), std::max(work.left(), work.right() - place.width())));
        place.moveTop(std::clamp(place.top(), work.top(), std::max(work.top(), work.bottom() - place.height())));
    }
    dialog.move(place.topLeft());
    // Owned by the panel, the dialog must not end up behind it: the panel leaves the topmost
    // band while the dialog is open.
    const bool lowerPanel = owner == DialogOwner::panel && main_.state().OnTopActive;
    if (lowerPanel) main_.panel().applyOnTop(false);
    const int32_t result = dialog.exec();
    if (lowerPanel) main_.panel().applyOnTop(main_.state().OnTopActive);
    return result == 0 ? kResultCancel : result;
}

} // namespace qlx::qt
