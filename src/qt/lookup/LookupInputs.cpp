#include "qt/lookup/LookupInputs.h"

#include <QClipboard>
#include <QGuiApplication>

#include <chrono>
#include <functional>

#include "app/CommandLine.h"
#include "lookup/LookupHotKey.h"
#include "qt/app/PanelMain.h"
#include "qt/system/Encoding.h"
#include "qt/system/X11Window.h"
#include "settings/ShortcutText.h"
#include "state/ProgramCommands.h"

namespace qlx::qt {

LookupInputs::LookupInputs(PanelMain& main)
    : main_(main), hotKey_([this](bool pressed) { hotKeyEvent(pressed); }) {
    connect(&retry_, &QTimer::timeout, this, [this] { main_.program().hotKeys().retryTimer(); });
}

void LookupInputs::hotKeyEvent(bool pressed) {
    if (!pressed) {
        repeat_.released();
        return;
    }
    // A held key repeats its press: one press, one lookup.
    if (repeat_.hotKey(clockMs())) main_.program().core().HotKey();
}

std::optional<std::string> LookupInputs::clipboardText() {
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    if (text.isEmpty()) return std::nullopt;
    return toCp1252(text);
}

std::optional<std::string> LookupInputs::selectionText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) return std::nullopt;
    const QString text = clipboard->text(QClipboard::Selection);
    if (text.isEmpty()) return std::nullopt;
    return toCp1252(text);
}

bool LookupInputs::keyGrabAllowed() {
    return x11Connection() != nullptr;
}

bool LookupInputs::claimSession() {
    // The caller has its answer at once; the lookup (and any dialog it brings) follows in the
    // event loop's next turn, so that no caller waits on a dialog.
    auto later = [this](std::function<void()> work) {
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    };
    service_ = std::make_unique<LookupService>(LookupService::Handlers{
        [this, later](const QString& text) {
            // A call that started the program (the bus starts it for a call to its name)
            // arrives while it is still being created: it is looked up once text is taken.
            if (!takingText_) {
                earlyTexts_.push_back(toCp1252(text));
                return;
            }
            later([this, text = toCp1252(text)] {
                main_.program().lookups().DdeSearchTextPokeData(text);
            });
        },
        [this, later] { later([this] { main_.secondStart(kForwardLookupClipboard); }); },
        [this, later] { later([this] { main_.secondStart(kForwardShow); }); }});
    bool busAvailable = false;
    return registerLookupService(*service_, busAvailable);
}

void LookupInputs::startTextInputs() {
    main_.panel().acceptText(true);
    takingText_ = true;
    // In the order they came; none is lost.
    const std::vector<std::string> early = std::move(earlyTexts_);
    earlyTexts_.clear();
    for (const std::string& text : early) main_.program().lookups().DdeSearchTextPokeData(text);
    if (keyGrabAllowed() || portal_) return;
    // The desktop's shortcut service; its answer decides whether the user is told what to do
    // instead.
    portal_ = std::make_unique<PortalShortcut>(
        [this](bool bound) { main_.program().shortcutServiceAnswered(bound); },
        [this] { main_.program().core().HotKey(); });
    portal_->start(QString::fromStdString(shortcutTrigger(main_.state().Hotkey)));
}

bool LookupInputs::registerLookupHotKey(uint16_t shortcut) {
    const HotKeyRegistration key = lookupHotKeyRegistration(shortcut);
    return hotKey_.grab(key.modifiers, key.key);
}

uint64_t LookupInputs::clockMs() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

std::string LookupInputs::shortcutText(uint16_t shortcut) {
    return shortcutDisplayText(shortcut, KeyNameSource{});
}

void LookupInputs::trayTipChanged(const std::string& tip) { main_.tray().setTip(fromCp1252(tip)); }

void LookupInputs::postHotKeyProblem() { main_.postCommand(0, kCmdHotKeyProblem); }

} // namespace qlx::qt
