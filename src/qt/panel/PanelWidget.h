// The floating panel: 82 x 32 device-independent pixels without a frame, above other windows
// and out of the taskbar, painted from the core's layout and images; its buttons, its moving
// by hand and the text dropped on it go to the program.
#pragma once

#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "panel/PanelLayout.h"
#include "panel/PanelMenus.h"
#include "panel/PanelPort.h"

namespace qlx::qt {

class PanelMain;

class PanelWidget final : public QWidget, public PanelPort {
public:
    explicit PanelWidget(PanelMain& main);

    // The menus and the stored images, at the creation.
    void layoutPanel();
    void applyOnTop(bool onTop);
    void setOnTopCheckMarks(bool checked);
    // The panel's menu below its menu button, as the button's click opens it.
    void openPanelMenu();
    void acceptText(bool on) { setAcceptDrops(on); }

    // PanelPort
    void startTimer(PanelTimer timer, uint32_t intervalMs) override;
    void stopTimer(PanelTimer timer) override;
    void showButtons(bool shown) override;
    void setCursor(PanelCursor cursor) override;
    Dimension panelBounds() override;
    void movePanelTo(int32_t left, int32_t top) override;
    MonitorList monitors() override;
    bool placesItself() override;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The panel's pixels at the screen's scale: the core's boxes at that DPI.
    int deviceDpi() const;
    void loadImages();
    std::optional<PanelControl> buttonAt(QPoint local) const;
    void menuCommand(QAction* action);

    PanelMain& main_;
    QTimer buttonsDisplay_;
    QTimer buttonsOffSlow_;
    QMenu popup_;
    int imagesDpi_ = 0;
    QImage logo_, menu_, open_;
    std::optional<PanelControl> pressedButton_;
    bool keyboardFocus_ = false; // the focus frame shows only when the keyboard brought it
};

// A stored panel image ("logo", "menu", "open") at a scale step in one colour; null when it
// is missing or damaged.
QImage panelImage(const char* name, int percent, uint32_t colour);

} // namespace qlx::qt
