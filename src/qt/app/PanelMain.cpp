#include "qt/app/PanelMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "qt/system/Encoding.h"
#include "state/ProgramCommands.h"

namespace qlx::qt {

namespace {

std::string programFile() {
    return toCp1252(QCoreApplication::applicationFilePath());
}

std::string programFolder() {
    return toCp1252(QCoreApplication::applicationDirPath() + "/");
}

} // namespace

PanelMain::PanelMain(const std::vector<std::string>& args) : args_(args), program_(ports()) {
    connect(&startupTimer_, &QTimer::timeout, this, [this] { program_.core().TimerStartupTimer(); });
    // The session is ending: the settings are kept as at "Afslut".
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { program_.core().FormCloseQuery(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this,
            [this] { program_.core().FormCloseQuery(); });
}

PanelMain::~PanelMain() = default;

ShellPorts PanelMain::ports() {
    ShellPorts p{*this,          *this,         panel_,         tray_,        dialogs_,
                 pages_,         lookup_,       lookup_,        definitions_, messagesWindow_,
                 settingsWindow_, welcomeWindow_, chromeFrame_,   settingsFiles_,
                 systemInfo_,    runLists_,     KeyNameSource{}, programFile()};
    p.settingsPlaces = SettingsPlaces::xdg;
    p.lookupSelection = true;
    p.desktopLimitsNoticed = false;
    return p;
}

void PanelMain::create() {
    program_.core().FormCreate(args_, programFolder());
    if (!program_.core().MinimizeAtStart) panel_.show();
    program_.core().FormShow();
}

void PanelMain::secondStart(uint16_t command) {
    program_.core().UniqueProductMessage(command, kCmdInstanceSignal, 0);
}

void PanelMain::endProgram() {
    tray_.removeTrayIcon();
    panel_.hide();
    QCoreApplication::quit();
}

void PanelMain::restoreApplication() {
    if (!panel_.isVisible()) panel_.show();
}

void PanelMain::bringAllToFront() {
    panel_.show();
    panel_.raise();
    panel_.activateWindow();
    for (QWidget* window : openWindows()) window->raise();
}

std::vector<QWidget*> PanelMain::openWindows() const {
    std::vector<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &panel_ && window->isVisible() && !window->inherits("QMenu"))
            windows.push_back(window);
    return windows;
}

void PanelMain::liftOpenWindows() {
    for (QWidget* window : openWindows()) window->raise();
}

void PanelMain::minimizeApplication() {
    // A modal window stays: the program's menus bring it forward instead of hiding it.
    panel_.hide();
}

void PanelMain::postCommand(uint16_t wParam, int32_t lParam) {
    QMetaObject::invokeMethod(
        this,
        [this, wParam, lParam] { program_.core().UniqueProductMessage(wParam, lParam, 0); },
        Qt::QueuedConnection);
}

void PanelMain::postFinishCreation() {
    QMetaObject::invokeMethod(
        this, [this] { program_.core().FinishCreation(); }, Qt::QueuedConnection);
}

void PanelMain::sleepMs(uint32_t ms) { QThread::msleep(ms); }

void PanelMain::setPanelBounds(int left, int top, int width, int height) {
    panel_.setGeometry(left, top, width, height);
}

int PanelMain::screenWidth() { return screenSize().width; }

Dimension PanelMain::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    return Dimension{r.top(), r.left(), r.height(), r.width()};
}

void PanelMain::layoutPanel() {
    panel_.layoutPanel();
    program_.menus().SetOnTopCheckMarks(state().OnTopActive);
}

void PanelMain::setOnTopCheckMarks(bool checked) {
    panel_.setOnTopCheckMarks(checked);
    tray_.setOnTopCheckMarks(checked);
}

void PanelMain::openTrayMenuAtCursor() { tray_.openMenuAt(QCursor::pos()); }

void PanelMain::openTrayMenuAt(int32_t x, int32_t y) { tray_.openMenuAt(QPoint(x, y)); }

} // namespace qlx::qt
