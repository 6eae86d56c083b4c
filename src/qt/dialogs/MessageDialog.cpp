#include "qt/dialogs/MessageDialog.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "dialogs/MessageWinLayout.h"
#include "qt/app/PanelMain.h"
#include "qt/dialogs/MessageMeasures.h"
#include "qt/forms/FormWindow.h"
#include "qt/system/Encoding.h"
#include "qt/system/Screens.h"

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

namespace {

QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

} // namespace

int32_t MessageDialog::MessageWin(DialogOwner owner, const std::string& text,
                                  const std::string& caption, TMsgDlgType type,
                                  int32_t buttonSet) {
    Dialog dialog(escapeResult(buttonSet));
    dialog.setWindowTitle(fromCp1252(caption));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setAutoFillBackground(true);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    dialog.setPalette(palette);

    // The owner it is centred on, and the monitor and work area it is kept in.
    std::optional<Dimension> ownerBounds;
    const std::optional<Dimension> panel =
        main_.panel().isVisible() ? std::optional(main_.panel().panelBounds()) : std::nullopt;
    if (owner == DialogOwner::panel) ownerBounds = panel;
    if (owner == DialogOwner::form)
        if (const QWidget* form = QApplication::activeModalWidget()) {
            const QRect g = form->frameGeometry();
            ownerBounds = Dimension{g.top(), g.left(), g.height(), g.width()};
        }
    const MonitorList monitors = screenMonitors();
    const Monitor monitor = messageWinMonitor(ownerBounds, panel, monitors);
    const QString body = fromCp1252(text);
    const MessageWinLayout layout =
        layoutMessageWin(messageWinMeasures(dialog.font(), body, monitor.bounds), type,
                         buttonSet, ownerBounds, monitor.work.value_or(monitor.bounds));

    dialog.setFixedSize(layout.clientWidth, layout.clientHeight);
    if (layout.icon) {
        auto* icon = new QLabel(&dialog);
        icon->setPixmap(dialog.style()->standardIcon(iconOf(type)).pixmap(layout.icon->width,
                                                                          layout.icon->height));
        icon->setGeometry(qrect(*layout.icon));
    }
    auto* label = new QLabel(body, &dialog);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setGeometry(qrect(layout.text));

    auto* strip = new QWidget(&dialog);
    strip->setAutoFillBackground(true);
    QPalette stripPalette = strip->palette();
    stripPalette.setColor(QPalette::Window, qtColour(kDialogButtonColour));
    strip->setPalette(stripPalette);
    strip->setGeometry(qrect(layout.strip));
    QPushButton* first = nullptr;
    for (const std::optional<ButtonPlace>& place : {std::optional(layout.left), layout.right}) {
        if (!place) continue;
        auto* button = new QPushButton(fromCp1252(place->button.caption), strip);
        button->setGeometry(qrect(place->bounds));
        const int32_t result = place->button.result;
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [&dialog, result] { dialog.done(result); });
        if (!first) first = button;
    }
    if (first) {
        first->setDefault(true);
        first->setFocus();
    }
    dialog.move(layout.dialog.left, layout.dialog.top);

    // Owned by the panel, the dialog must not end up behind it: the panel leaves the topmost
    // band while the dialog is open.
    const bool lowerPanel = owner == DialogOwner::panel && main_.state().OnTopActive;
    if (lowerPanel) main_.panel().applyOnTop(false);
    const int32_t result = dialog.exec();
    if (lowerPanel) main_.panel().applyOnTop(main_.state().OnTopActive);
    return result == 0 ? kResultCancel : result;
}

} // namespace qlx::qt
