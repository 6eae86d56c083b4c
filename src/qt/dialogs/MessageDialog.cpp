#include "qt/dialogs/MessageDialog.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "dialogs/MessageWinLayout.h"
#include "forms/AccessibleTree.h"
#include "qt/access/AccessibleSource.h"
#include "forms/KeyboardCues.h"
#include "qt/app/PanelMain.h"
#include "qt/controls/FormControls.h"
#include "qt/system/DesktopColours.h"
#include "qt/dialogs/MessageMeasures.h"
#include "qt/system/Encoding.h"
#include "qt/system/KeyCues.h"
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

class Dialog final : public QDialog, public AccessibleSource {
public:
    explicit Dialog(std::optional<int32_t> escape) : escape_(escape) {
        noteInputs();
        cues.opened(lastInputFromKeyboard());
        qApp->installEventFilter(this);
    }
    ~Dialog() override { qApp->removeEventFilter(this); }
    KeyboardCues cues;
    // The dialog's colours: its text on its background, the strip, in the scheme's colours.
    void applyColours() {
        const ColourScheme& scheme = colours();
        QPalette p = palette();
        p.setColor(QPalette::Window, qtColourOf(scheme(ColourRole::dialogBackground)));
        p.setColor(QPalette::WindowText, qtColourOf(scheme(ColourRole::dialogText)));
        setPalette(p);
        if (strip) {
            QPalette sp = strip->palette();
            sp.setColor(QPalette::Window, qtColourOf(scheme.background(kDialogButtonColour)));
            strip->setPalette(sp);
        }
    }
    QWidget* strip = nullptr;

    // What readers are told: the caption, the text (also as the dialog's description, which
    // a reader speaks with the caption) and the strip with Qt's own buttons.
    void describe(const std::string& caption, const std::string& text,
                  const MessageWinLayout& layout, QLabel* label, QWidget* strip) {
        caption_ = caption;
        text_ = text;
        layout_ = layout;
        label_ = label;
        strip_ = strip;
        label->setObjectName("Text");
        strip->setObjectName("Strip");
        setAccessibleDescription(fromCp1252(text));
    }
    AccNode accessibleTree() const override {
        const bool buttonFocused = strip_ && strip_->isAncestorOf(QApplication::focusWidget());
        return messageDialogAccessibleTree(caption_, text_, layout_, buttonFocused);
    }
    QWidget* accessibleWidget(std::string_view control) const override {
        if (control == "Text") return label_;
        if (control == "Strip") return strip_;
        return nullptr;
    }
    // The text and the strip; the buttons on the strip are Qt's own.
    bool describesWidget(const QWidget& widget) const override {
        return widget.parentWidget() == this;
    }
    QPoint accessibleOrigin() const override { return mapToGlobal(QPoint(0, 0)); }
    void accessibleDefaultAction(const std::string&) override {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && widget &&
            widget->window() == this && cueKey(cues, *static_cast<QKeyEvent*>(event)))
            for (QWidget* child : findChildren<QWidget*>()) child->update();
        return false;
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowDeactivate && cues.deactivated()) update();
        if (event->type() == coloursChangedEvent()) applyColours();
        return QDialog::event(event);
    }
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
    std::string caption_, text_;
    MessageWinLayout layout_{};
    QLabel* label_ = nullptr;
    QWidget* strip_ = nullptr;
};

} // namespace

int32_t MessageDialog::MessageWin(DialogOwner owner, const std::string& text,
                                  const std::string& caption, TMsgDlgType type,
                                  int32_t buttonSet) {
    Dialog dialog(escapeResult(buttonSet));
    dialog.setWindowTitle(fromCp1252(caption));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setAutoFillBackground(true);

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
        // At the screen's scale, from the icon's largest image: never a 32-pixel one enlarged.
        icon->setPixmap(dialog.style()->standardIcon(iconOf(type)).pixmap(
            QSize(layout.icon->width, layout.icon->height), qApp->devicePixelRatio()));
        icon->setGeometry(qrect(*layout.icon));
    }
    auto* label = new QLabel(body, &dialog);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setGeometry(qrect(layout.text));

    auto* strip = new QWidget(&dialog);
    strip->setAutoFillBackground(true);
    strip->setGeometry(qrect(layout.strip));
    dialog.strip = strip;
    dialog.applyColours();
    QPushButton* first = nullptr;
    for (const std::optional<ButtonPlace>& place : {std::optional(layout.left), layout.right}) {
        if (!place) continue;
        auto* button =
            new ColourButton(fromCp1252(place->button.caption), kDialogButtonColour, strip);
        button->cues = &dialog.cues;
        button->setGeometry(qrect(place->bounds));
        const int32_t result = place->button.result;
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [&dialog, result] { dialog.done(result); });
        if (!first) first = button;
    }
    dialog.describe(caption, text, layout, label, strip);
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
