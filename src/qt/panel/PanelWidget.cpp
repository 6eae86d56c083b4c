#include "qt/panel/PanelWidget.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cmath>

#include "ColourScheme.h"
#include "panel/PanelImages.h"
#include "qt/app/PanelMain.h"
#include "qt/controls/FormControls.h"
#include "qt/panel/PanelPopupMenus.h"
#include "qt/system/DesktopColours.h"
#include "qt/system/Encoding.h"
#include "qt/system/KeyCues.h"
#include "qt/system/Screens.h"
#include "qt/system/X11Window.h"

namespace qlx::qt {

namespace {

QColor colourOf(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace

QImage panelImage(const char* name, int percent, uint32_t colour) {
    QFile file(QString(":/panel/%1-%2.a8").arg(name).arg(percent));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    const auto image = decodeAlphaImage(reinterpret_cast<const uint8_t*>(data.constData()),
                                        static_cast<size_t>(data.size()));
    if (!image) return {};
    const std::vector<uint32_t> pixels = premultiplied(*image, colour);
    QImage out(image->width, image->height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image->height; ++y)
        std::memcpy(out.scanLine(y), pixels.data() + static_cast<size_t>(y) * image->width,
                    static_cast<size_t>(image->width) * 4);
    return out;
}

PanelWidget::PanelWidget(PanelMain& main)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      main_(main) {
    setWindowTitle("Quiklex");
    setAccessibleName("Quiklex");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(kPanelWidth, kPanelHeight);
    // Where the panel starts before its stored place is known: at the top right.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().right() + 1 - 2 * kPanelWidth, 0);
    buttonsDisplay_.setSingleShot(true);
    connect(&buttonsDisplay_, &QTimer::timeout, this,
            [this] { main_.program().buttons().TimerButtonsDisplayTimer(); });
    connect(&buttonsOffSlow_, &QTimer::timeout, this,
            [this] { main_.program().buttons().TimerButtonsOffSlowTimer(); });
    connect(&popup_, &QMenu::triggered, this, &PanelWidget::menuCommand);
}

void PanelWidget::layoutPanel() {
    fillPanelMenu(popup_, kPopupMenuEntries);
    loadImages();
}

void PanelWidget::menuCommand(QAction* action) {
    if (const auto item = chosenMenuItem(action)) main_.program().menus().MenuCommand(*item);
}

void PanelWidget::applyOnTop(bool onTop) {
    // On the shown window only its state changes: the widget's own flag would make a new
    // native window.
    if (QWindow* window = windowHandle(); window && isVisible())
        window->setFlag(Qt::WindowStaysOnTopHint, onTop);
    else
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

void PanelWidget::setOnTopCheckMarks(bool checked) { qt::setOnTopCheckMarks(popup_, checked); }

void PanelWidget::openPanelMenu() {
    const ClientPoint origin = panelMenuOrigin(kPanelHeight, 96);
    const Dimension panel = panelBounds();
    popup_.popup(QPoint(panel.left + origin.x + kPanelBorder, panel.top + origin.y + kPanelBorder));
}

int PanelWidget::deviceDpi() const {
    return static_cast<int>(std::lround(96.0 * devicePixelRatioF()));
}

void PanelWidget::loadImages() {
    const int dpi = deviceDpi();
    const uint32_t symbols = colours()(ColourRole::panelSymbols);
    if (dpi == imagesDpi_ && symbols == imagesColour_ && !logo_.isNull()) return;
    imagesDpi_ = dpi;
    imagesColour_ = symbols;
    const int percent = panelImageScale(dpi);
    logo_ = panelImage("logo", percent, symbols);
    menu_ = panelImage("menu", percent, symbols);
    open_ = panelImage("open", percent, symbols);
}

void PanelWidget::paintEvent(QPaintEvent*) {
    loadImages();
    const ColourScheme& scheme = colours();
    const int dpi = deviceDpi();
    const PanelSize size = panelOuterSize(dpi);
    // Painted in device pixels, as the core lays the panel out at that DPI.
    QImage canvas(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black); // the one-pixel border
    {
        QPainter p(&canvas);
        p.fillRect(kPanelBorder, kPanelBorder, size.width - 2 * kPanelBorder,
                   size.height - 2 * kPanelBorder, colourOf(scheme(ColourRole::panel)));
        p.translate(kPanelBorder, kPanelBorder);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        auto box = [&](PanelControl c) { return qrect(panelControlBox(c, size.height, dpi)); };
        if (main_.program().buttons().ButtonsShown) {
            const ControlBox lines =
                moveHandleLines(panelControlBox(PanelControl::PaintBoxMoveHandle, size.height, dpi), dpi);
            p.fillRect(lines.left, lines.top, lines.width, lines.height,
                       colourOf(scheme(ColourRole::panelSymbols)));
            p.drawImage(box(PanelControl::ImageMenu), menu_);
            p.drawImage(box(PanelControl::ImageOpen), open_);
        } else {
            p.drawImage(box(PanelControl::ImageLogo), logo_);
        }
        if (cues_.focusRect(hasFocus())) {
            p.setPen(QPen(colourOf(scheme(ColourRole::panelSymbols)), 1, Qt::DotLine));
            p.drawRect(0, 0, size.width - 2 * kPanelBorder - 1, size.height - 2 * kPanelBorder - 1);
        }
    }
    canvas.setDevicePixelRatio(static_cast<qreal>(dpi) / 96.0);
    QPainter(this).drawImage(QPoint(0, 0), canvas);
}

std::optional<PanelControl> PanelWidget::buttonAt(QPoint local) const {
    return panelButtonAt(local.x() - kPanelBorder, local.y() - kPanelBorder,
                         main_.program().buttons().ButtonsShown, kPanelHeight, 96);
}

void PanelWidget::mousePressEvent(QMouseEvent* event) {
    if (cues_.update(kUiSet, kUiHideFocus)) update();
    PanelButtons& buttons = main_.program().buttons();
    if (buttons.Dragging || pressedButton_) return; // a second button meanwhile
    const QPoint global = event->globalPosition().toPoint();
    if (const auto button = buttonAt(event->position().toPoint())) {
        // Presses on the two buttons never move the panel.
        if (event->button() == Qt::LeftButton) pressedButton_ = button;
        return;
    }
    // Wayland moves a window only itself: the compositor takes the drag over.
    if (!placesItself() && event->button() == Qt::LeftButton && windowHandle() &&
        windowHandle()->startSystemMove())
        return;
    buttons.FormMouseDown(global.x(), global.y());
}

void PanelWidget::mouseMoveEvent(QMouseEvent* event) {
    PanelButtons& buttons = main_.program().buttons();
    const QPoint local = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    buttons.WindowMouseMove(static_cast<uint16_t>(std::max(0, local.x() - kPanelBorder)),
                            static_cast<uint16_t>(std::max(0, local.y() - kPanelBorder)),
                            kPanelClientWidth, kPanelClientHeight);
    // Movement over the two buttons belongs to them, unless the panel is being moved.
    if (!buttons.Dragging && (pressedButton_ || buttonAt(local))) return;
    buttons.FormMouseMove(local.x() - kPanelBorder, local.y() - kPanelBorder, global.x(),
                          global.y());
}

void PanelWidget::mouseReleaseEvent(QMouseEvent* event) {
    PanelButtons& buttons = main_.program().buttons();
    if (pressedButton_) {
        if (event->button() != Qt::LeftButton) return;
        const PanelControl pressed = *pressedButton_;
        pressedButton_.reset();
        if (buttonAt(event->position().toPoint()) == pressed) {
            if (pressed == PanelControl::ImageMenu)
                openPanelMenu();
            else
                main_.program().imageOpenClick();
        }
        return;
    }
    if (buttons.Dragging || !buttonAt(event->position().toPoint())) buttons.FormMouseUp();
}

void PanelWidget::contextMenuEvent(QContextMenuEvent* event) {
    const Dimension panel = panelBounds();
    popup_.popup(event->reason() == QContextMenuEvent::Keyboard ? QPoint(panel.left, panel.top)
                                                                 : event->globalPos());
}

void PanelWidget::keyReleaseEvent(QKeyEvent* event) {
    if (cueKey(cues_, *event)) update();
    QWidget::keyReleaseEvent(event);
}

bool PanelWidget::focusNextPrevChild(bool) {
    if (cues_.keyboardFocus()) update();
    return true;
}

void PanelWidget::keyPressEvent(QKeyEvent* event) {
    if (cueKey(cues_, *event)) update();
    if (event->isAutoRepeat()) return; // one press, one action
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        main_.program().imageOpenClick();
        return;
    case Qt::Key_Menu:
        openPanelMenu();
        return;
    case Qt::Key_F10:
        if (event->modifiers() & Qt::ShiftModifier) {
            openPanelMenu();
            return;
        }
        break;
    }
    QWidget::keyPressEvent(event);
}

void PanelWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasText()) return;
    event->acceptProposedAction();
    main_.program().lookups().TextDropTargetDragOver();
}

void PanelWidget::dragLeaveEvent(QDragLeaveEvent*) {
    main_.program().lookups().TextDropTargetDragLeave();
}

void PanelWidget::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) return;
    event->acceptProposedAction();
    main_.program().lookups().TextDropTargetDrop(toCp1252(event->mimeData()->text()));
}

void PanelWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        main_.program().core().FormActivate();
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() &&
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        main_.program().core().ApplicationEvents1Deactivate();
    QWidget::changeEvent(event);
}

void PanelWidget::focusInEvent(QFocusEvent*) { update(); }

void PanelWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Each time it is mapped: a window manager forgets the state of an unmapped window.
    QMetaObject::invokeMethod(this, [this] { x11SkipTaskbar(*this); }, Qt::QueuedConnection);
}

void PanelWidget::focusOutEvent(QFocusEvent*) { update(); }

void PanelWidget::startTimer(PanelTimer timer, uint32_t intervalMs) {
    (timer == PanelTimer::ButtonsDisplay ? buttonsDisplay_ : buttonsOffSlow_)
        .start(static_cast<int>(intervalMs));
}

void PanelWidget::stopTimer(PanelTimer timer) {
    (timer == PanelTimer::ButtonsDisplay ? buttonsDisplay_ : buttonsOffSlow_).stop();
}

void PanelWidget::showButtons(bool) { update(); }

void PanelWidget::setCursor(PanelCursor cursor) {
    QWidget::setCursor(cursor == PanelCursor::SizeAll ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

Dimension PanelWidget::panelBounds() {
    QRect r = frameGeometry();
    if (isVisible())
        if (const std::optional<QPoint> origin = x11ScreenOrigin(*this)) r.moveTopLeft(*origin);
    return Dimension{r.top(), r.left(), r.height(), r.width()};
}

void PanelWidget::movePanelTo(int32_t left, int32_t top) { move(left, top); }

MonitorList PanelWidget::monitors() { return screenMonitors(); }

// The buttons answer also while the logo covers them: their actions work from a reader.
AccNode PanelWidget::accessibleTree() const { return panelAccessibleTree(hasFocus(), 96); }

QWidget* PanelWidget::accessibleWidget(std::string_view control) const {
    return control.empty() ? const_cast<PanelWidget*>(this) : nullptr;
}

QPoint PanelWidget::accessibleOrigin() const {
    return mapToGlobal(QPoint(kPanelBorder, kPanelBorder));
}

void PanelWidget::accessibleDefaultAction(const std::string& control) {
    if (control == "ImageMenu") openPanelMenu();
    if (control == "ImageOpen") main_.program().imageOpenClick();
}

// Only an X11 desktop lets a window choose its place and tells it where it is.
bool PanelWidget::placesItself() {
    return x11Connection() != nullptr;
}

} // namespace qlx::qt
