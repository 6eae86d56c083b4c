#include "qt/forms/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>

#include "controls/ButtonCheckmark.h"
#include "qt/controls/FormControls.h"
#include "qt/system/DesktopColours.h"
#include "qt/system/Encoding.h"
#include "qt/system/KeyCues.h"
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

// A table's background in the scheme's colour for it.
void paintBackground(QWidget* w, uint32_t colour) {
    if (colour == kNoColour) return;
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, qtColourOf(colours().background(colour)));
    w->setPalette(p);
}

// The label's runs, its mnemonic letter underlined (its first place in the text) when shown.
QString runsHtml(const std::vector<TextRun>& runs, char mnemonic) {
    QString html;
    bool underline = mnemonic != 0;
    const auto escaped = [](std::string_view text) {
        return fromCp1252(std::string(text)).toHtmlEscaped().replace("\n", "<br>");
    };
    for (const TextRun& run : runs) {
        QString text;
        const size_t at = underline ? mnemonicIndex(run.text, mnemonic) : std::string::npos;
        if (at == std::string::npos) {
            text = escaped(run.text);
        } else {
            underline = false;
            const std::string_view all(run.text);
            text = escaped(all.substr(0, at)) + "<u>" + escaped(all.substr(at, 1)) + "</u>" +
                   escaped(all.substr(at + 1));
        }
        html += run.bold ? "<b>" + text + "</b>" : text;
    }
    return html;
}

} // namespace

FormWindow::FormWindow(FormDesc desc) : desc_(std::move(desc)) {
    setWindowTitle(fromCp1252(desc_.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setFont(qtFont(desc_.font));
    if (desc_.minWidth == 0) setFixedSize(desc_.clientWidth, desc_.clientHeight);
    else resize(desc_.clientWidth, desc_.clientHeight);
    // The window's keys are seen before its controls get them (the cues, Alt+letter).
    noteInputs();
    qApp->installEventFilter(this);
}

FormWindow::~FormWindow() { qApp->removeEventFilter(this); }

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
            break;
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::RichText);
            label->setText(runsHtml(c.text, 0));
            label->setFont(qtFont(c.font));
            label->setWordWrap(c.wordWrap);
            label->setAlignment((c.rightAlign ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            w = label;
            break;
        }
        case ControlKind::FlatButton: {
            auto* button = new FlatButton(fromCp1252(c.caption()), parent);
            button->setFont(qtFont(c.font));
            button->keys = {&cues_, c.caption(), c.mnemonic};
            button->textColour = c.font.colour;
            connect(button, &QPushButton::clicked, this, [this, &c] { buttonClick(c); });
            w = button;
            break;
        }
        case ControlKind::CheckmarkButton: {
            auto* button = new CheckmarkButton(fromCp1252(c.caption()), c.faintLines, parent);
            button->setFont(qtFont(c.font));
            button->keys = {&cues_, c.caption(), c.mnemonic};
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
        controls_[c.name] = w;
    }
    // The fields Qt describes itself are named as the tree names them: by the label before
    // them.
    const AccNode tree = accessibleTree();
    for (const auto& [name, w] : controls_)
        if (const AccNode* node = tree.find(name); node && !node->name.empty())
            w->setAccessibleName(fromCp1252(node->name));
    applyColours();
    layoutAll();
}

void FormWindow::applyColours() {
    const ColourScheme& scheme = colours();
    paintBackground(this, desc_.colour);
    for (const ControlDesc& c : desc_.controls) {
        QWidget* w = control(c.name);
        if (!w) continue;
        if (c.kind == ControlKind::Panel || c.kind == ControlKind::Shape ||
            c.kind == ControlKind::Label)
            paintBackground(w, c.colour);
        if (c.kind == ControlKind::Label) {
            QPalette p = w->palette();
            p.setColor(QPalette::WindowText, qtColourOf(scheme.text(c.font.colour, false)));
            w->setPalette(p);
        }
        if (c.kind == ControlKind::HtmlView) {
            // The view's page is the window's own white and black, or the system's pair.
            QPalette p = w->palette();
            p.setColor(QPalette::Base, qtColourOf(scheme(ColourRole::dialogBackground)));
            p.setColor(QPalette::Text, qtColourOf(scheme(ColourRole::dialogText)));
            p.setColor(QPalette::Link, qtColourOf(scheme(ColourRole::link)));
            w->setPalette(p);
        }
        w->update();
    }
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
    // Opened with the mouse, the window shows no focus rectangle until the keyboard is used.
    cues_.opened(lastInputFromKeyboard());
    applyCues();
    // The keyboard goes to the first field that takes it, as in a dialog.
    const FormAccState state = keyboardState();
    for (const ControlDesc& c : desc_.controls) {
        const auto s = state.controls.find(c.name);
        if ((c.kind == ControlKind::HotKeyField || c.kind == ControlKind::HtmlView) &&
            s != state.controls.end() && s->second.enabled && s->second.visible) {
            control(c.name)->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    const int32_t result = exec();
    formClose();
    return result;
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

// What assistive technology is told.

AccNode FormWindow::accessibleTree() const {
    FormAccState state = keyboardState();
    state.clientWidth = width();
    state.clientHeight = height();
    return formAccessibleTree(desc_, state);
}

bool FormWindow::describesWidget(const QWidget& widget) const {
    // The fields and the message view (with the widgets inside them) are Qt's own.
    for (const QWidget* w = &widget; w && w != this; w = w->parentWidget())
        if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w))
            return false;
    return true;
}

void FormWindow::accessibleDefaultAction(const std::string& name) {
    const AccNode tree = accessibleTree();
    const AccNode* node = tree.find(name);
    if (!node || node->defaultAction.empty() ||
        (node->states & (kStateUnavailable | kStateInvisible)))
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(control(name))) button->click();
}

// The keyboard among the window's controls.

FormAccState FormWindow::keyboardState() const {
    FormAccState state;
    const QWidget* focus = QApplication::focusWidget();
    for (const ControlDesc& c : desc_.controls) {
        const QWidget* w = control(c.name);
        if (!w) continue;
        ControlState s;
        s.enabled = w->isEnabled();
        s.visible = w->isVisibleTo(this);
        if (const auto* box = dynamic_cast<const CheckmarkButton*>(w)) {
            s.enabled = s.enabled && box->boxEnabled();
            s.checked = box->boxChecked();
        }
        state.controls.emplace(c.name, s);
        if (focus && takesFocus(c.kind) && (focus == w || w->isAncestorOf(focus)))
            state.focused = c.name;
    }
    return state;
}

bool FormWindow::focusNextPrevChild(bool next) {
    const FormAccState state = keyboardState();
    const std::string to = nextFocus(desc_, state, state.focused, next);
    if (QWidget* w = control(to)) w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool FormWindow::mnemonic(char letter) {
    const MnemonicTarget target = mnemonicTarget(desc_, keyboardState(), letter);
    QWidget* w = control(target.control);
    if (!w || target.action == MnemonicAction::None) return false;
    if (target.action != MnemonicAction::Press) {
        w->setFocus(Qt::ShortcutFocusReason);
        if (cues_.keyboardFocus()) applyCues();
    }
    if (target.action == MnemonicAction::Press || target.action == MnemonicAction::FocusAndPress)
        if (auto* button = qobject_cast<QAbstractButton*>(w)) button->click();
    return true;
}

void FormWindow::applyCues() {
    const bool underlines = cues_.underlines();
    for (const ControlDesc& c : desc_.controls) {
        QWidget* w = control(c.name);
        if (!w) continue;
        if (c.kind == ControlKind::Label && c.mnemonic != 0)
            if (auto* label = qobject_cast<QLabel*>(w))
                label->setText(runsHtml(c.text, underlines ? c.mnemonic : 0));
        w->update();
    }
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || !isVisible()) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (cueKey(cues_, *key)) applyCues();
    // Alt with a control's letter; other Alt keys (Alt+F4, Alt+Space) go on, and so does
    // every letter while the shortcut field has the keyboard.
    if (type == QEvent::KeyPress && !key->isAutoRepeat())
        if (const char letter = mnemonicLetter(*key)) return mnemonic(letter);
    return false;
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && cues_.deactivated()) applyCues();
    if (event->type() == coloursChangedEvent()) {
        applyColours();
        return true;
    }
    return QDialog::event(event);
}

} // namespace qlx::qt
