#include "qt/forms/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QAbstractButton>

#include "qt/controls/FormControls.h"
#include "qt/system/Encoding.h"
#include "qt/system/X11Window.h"

namespace qlx::qt {

QColor qtColour(uint32_t colour) {
    if (colour == kNoColour) return {};
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QFont qtFont(const FontDesc& font) {
    QFont f(QString::fromLatin1(font.face));
    f.setPixelSize(font.pixels);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

namespace {

void paintBackground(QWidget* w, uint32_t colour) {
    const QColor c = qtColour(colour);
    if (!c.isValid()) return;
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}

QString runsHtml(const std::vector<TextRun>& runs) {
    QString html;
    for (const TextRun& run : runs) {
        const QString text = fromCp1252(run.text).toHtmlEscaped().replace("\n", "<br>");
        html += run.bold ? "<b>" + text + "</b>" : text;
    }
    return html;
}

} // namespace

FormWindow::FormWindow(FormDesc desc) : desc_(std::move(desc)) {
    setWindowTitle(fromCp1252(desc_.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    paintBackground(this, desc_.colour);
    setFont(qtFont(desc_.font));
    if (desc_.minWidth == 0) setFixedSize(desc_.clientWidth, desc_.clientHeight);
    else resize(desc_.clientWidth, desc_.clientHeight);
}

QWidget* FormWindow::control(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void FormWindow::build() {
    for (const ControlDesc& c : desc_.controls) {
        QWidget* parent = c.parent.empty() ? this : control(c.parent);
        if (!parent) parent = this;
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Panel:
        case ControlKind::Shape:
            w = new QWidget(parent);
            paintBackground(w, c.colour);
            break;
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::RichText);
            label->setText(runsHtml(c.text));
            label->setFont(qtFont(c.font));
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, qtColour(c.font.colour));
            label->setPalette(p);
            label->setWordWrap(c.wordWrap);
            label->setAlignment((c.rightAlign ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            paintBackground(label, c.colour);
            w = label;
            break;
        }
        case ControlKind::FlatButton: {
            auto* button = new FlatButton(fromCp1252(c.caption()), parent);
            button->setFont(qtFont(c.font));
            connect(button, &QPushButton::clicked, this, [this, &c] { buttonClick(c); });
            w = button;
            break;
        }
        case ControlKind::CheckmarkButton: {
            auto* button = new CheckmarkButton(fromCp1252(c.caption()), c.faintLines, parent);
            button->setFont(qtFont(c.font));
            connect(button, &QAbstractButton::clicked, this, [this, &c] { buttonClick(c); });
            w = button;
            break;
        }
        case ControlKind::BevelLines:
            w = new BevelLinesWidget(c.faintLines, parent);
            break;
        case ControlKind::HotKeyField:
        case ControlKind::HtmlView:
            w = createWindowedControl(c, parent);
            break;
        }
        if (!w) continue;
        w->setObjectName(QString::fromStdString(c.name));
        if (!c.hint.empty()) w->setToolTip(fromCp1252(c.hint));
        w->setAccessibleName(fromCp1252(c.caption()));
        controls_[c.name] = w;
    }
    for (const ControlDesc& c : desc_.controls)
        if (c.mnemonic != 0) addMnemonic(c);
    layoutAll();
}

// Alt with a control's letter presses a button, or takes the keyboard to the control after a
// label, as on Windows.
void FormWindow::addMnemonic(const ControlDesc& c) {
    const QChar letter = QChar::fromLatin1(c.mnemonic).toUpper();
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+") + letter), this);
    connect(shortcut, &QShortcut::activated, this, [this, &c] {
        QWidget* w = control(c.name);
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->isVisible() && button->isEnabled()) {
                button->setFocus(Qt::ShortcutFocusReason);
                button->click();
            }
            return;
        }
        bool after = false;
        for (const ControlDesc& next : desc_.controls) {
            QWidget* candidate = control(next.name);
            if (after && candidate && candidate->focusPolicy() != Qt::NoFocus &&
                candidate->isVisible()) {
                candidate->setFocus(Qt::ShortcutFocusReason);
                return;
            }
            after = after || &next == &c;
        }
    });
}

void FormWindow::place(const ControlDesc& c, QWidget* w, int parentWidth, int parentHeight) {
    // The parent's size in the table: the client area, or the hosting panel's box (a panel
    // along an edge as wide as the client area).
    int designWidth = desc_.clientWidth, designHeight = desc_.clientHeight;
    if (const ControlDesc* parent = c.parent.empty() ? nullptr : desc_.find(c.parent)) {
        designWidth = parent->align == Align::None ? parent->box.width : desc_.clientWidth;
        designHeight = parent->align == Align::Client ? desc_.clientHeight : parent->box.height;
    }
    ControlBox box = anchoredBox(c.box, c.anchors, designWidth, designHeight, parentWidth,
                                 parentHeight);
    switch (c.align) {
    case Align::Top: box = {0, 0, parentWidth, c.box.height}; break;
    case Align::Bottom: box = {0, parentHeight - c.box.height, parentWidth, c.box.height}; break;
    case Align::Client: box = {0, 0, parentWidth, parentHeight}; break;
    case Align::None: break;
    }
    // A label without a size takes its text's.
    if (c.kind == ControlKind::Label && box.width == 0) box.width = w->sizeHint().width();
    if (c.kind == ControlKind::Label && box.height == 0) box.height = w->sizeHint().height();
    w->setGeometry(box.left, box.top, box.width, box.height);
}

void FormWindow::layoutAll() {
    for (const ControlDesc& c : desc_.controls) {
        QWidget* w = control(c.name);
        if (!w) continue;
        const QWidget* parent = w->parentWidget();
        place(c, w, parent == this ? width() : parent->width(),
              parent == this ? height() : parent->height());
    }
}

void FormWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window the user can size gets size steps from Qt, which at 150 % trim it by a device
    // pixel; a fixed-size window keeps its size anyway.
    if (desc_.minWidth == 0 || shownSize_.isEmpty() || devicePixelRatioF() == 1.0) return;
    const QSize device(qRound(shownSize_.width() * devicePixelRatioF()),
                       qRound(shownSize_.height() * devicePixelRatioF()));
    QMetaObject::invokeMethod(
        this, [this, device] { x11SizeWithoutSteps(*this, device); }, Qt::QueuedConnection);
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutAll();
}

Dimension FormWindow::bounds() const {
    const QRect r = frameGeometry();
    return Dimension{r.top(), r.left(), r.height(), r.width()};
}

void FormWindow::setBounds(const Dimension& d) { move(d.left, d.top); }

Dimension FormWindow::initialPlace(const Dimension& outer) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return Dimension{work.top() + (work.height() - outer.height) / 2,
                     work.left() + (work.width() - outer.width) / 2, outer.height, outer.width};
}

int32_t FormWindow::showModal() {
    shownSize_ = size();
    Dimension outer{0, 0, height(), width()};
    const Dimension first = initialPlace(outer);
    move(first.left, first.top);
    formShow();
    return exec();
}

void FormWindow::buttonClick(const ControlDesc& button) {
    if (button.modalResult != 0) {
        closingAllowed_ = true;
        done(button.modalResult);
    }
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 0x80 &&
        formKeyPress(static_cast<char>(text[0].unicode())))
        return;
    if (event->key() == Qt::Key_Escape) return; // Esc is the window's own (formKeyPress)
    QDialog::keyPressEvent(event);
}

void FormWindow::reject() {
    // The close box and Alt+F4: the window decides.
    if (formCloseQuery()) done(result() == 0 ? 2 : result());
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (closingAllowed_ || formCloseQuery()) event->accept();
    else event->ignore();
}

} // namespace qlx::qt
