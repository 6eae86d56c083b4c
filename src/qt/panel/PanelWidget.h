// The floating panel: 82 x 32 device-independent pixels without a frame, above other windows
// and out of the taskbar, painted from the core's layout and images; its buttons, its moving
// by hand and the text dropped on it go to the program.
#pragma once

#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "forms/KeyboardCues.h"
#include "panel/PanelLayout.h"
#include "panel/PanelMenus.h"
#include "panel/PanelPort.h"
#include "qt/access/AccessibleSource.h"

namespace qlx::qt {

class PanelMain;

class PanelWidget final : public QWidget, public PanelPort, public AccessibleSource {
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

    // AccessibleSource: "Quiklex" with its two buttons, drawn on the panel.
    AccNode accessibleTree() const override;
    QWidget* accessibleWidget(std::string_view control) const override;
    bool describesWidget(const QWidget&) const override { return false; }
    QPoint accessibleOrigin() const override;
    void accessibleDefaultAction(const std::string& control) override;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Tab stays on the panel (its one control) and shows its focus rectangle.
    bool focusNextPrevChild(bool next) override;
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
    uint32_t imagesColour_ = 0;
    QImage logo_, menu_, open_;
    std::optional<PanelControl> pressedButton_;
    // The focus rectangle: shown while the panel has the keyboard, once Tab or an arrow key was
    // used on it; hidden after mouse use, as in the program's other windows.
    KeyboardCues cues_;
};

// A stored panel image ("logo", "menu", "open") at a scale step in one colour; null when it
// is missing or damaged.
QImage panelImage(const char* name, int percent, uint32_t colour);

} // namespace qlx::qt
