// Looking words up: the shortcut, the clipboard, DDE pokes and text drops, on the main window.
#include "win32/lookup/FormMainLookup.h"

#include <string>

#include "win32/app/FormMain.h"
#include "win32/system/Clipboard.h"
#include "win32/system/Encoding.h"
#include "Text.h"
#include "lookup/DdeNames.h"
#include "lookup/LookupHotKey.h"

namespace qlx::win {

namespace {
std::wstring programFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

SearchCapture FormMainLookup::searchCapture() {
    return SearchCapture(form_.state(), *this, form_.dialogs().shellPort(),
                         form_.dialogs().messagePort(), textDragMark_);
}

bool FormMainLookup::SetLookupHotKey(uint16_t hotkey, bool on) {
    if (!on) return UnregisterHotKey(form_.handle(), kLookupHotKeyId) != 0;
    const HotKeyRegistration key = lookupHotKeyRegistration(hotkey);
    return RegisterHotKey(form_.handle(), kLookupHotKeyId, key.modifiers, key.key) != 0;
}

void FormMainLookup::ShowHotKeyProblem(bool withHint) {
    form_.dialogs().messagePort().MessageWin(DialogOwner::none, hotKeyProblemText(withHint),
                                             programTitle, TMsgDlgType::warning, 0);
}

void FormMainLookup::lookupClipboard() {
    // Clipboard trouble of any kind means simply no lookup.
    try {
        if (std::optional<std::string> text = clipboardSearchText(form_.handle()))
            searchCapture().lookUp(*text);
    } catch (...) {
    }
}

void FormMainLookup::registerDropTarget() {
    textDropTarget_ = std::make_unique<TTextDropTarget>();
    qlx::TextDropTarget& events = textDropTarget_->events;
    events.OnDragOver = [this](int, int, ShiftState) { searchCapture().TextDropTargetDragOver(); };
    events.OnDragLeave = [this] { searchCapture().TextDropTargetDragLeave(); };
    events.OnDrop = [this](int, int, ShiftState, const std::string& text) {
        searchCapture().TextDropTargetDrop(text);
    };
    textDropTarget_->SetDropTarget(form_.handle());

    ddeServer_.start(ddeServiceName(std::wstring_view(programFile())),
                     [this](const std::string& line) { searchCapture().DdeSearchTextPokeData(line); });
}

void FormMainLookup::restoreApplication() { form_.restoreApplication(); }
void FormMainLookup::bringAllToFront() { form_.bringAllToFront(); }
void FormMainLookup::showPanel() { form_.core().ShowPanel(false); }
bool FormMainLookup::hasReceivedMessages() { return form_.hasReceivedMessages(); }
void FormMainLookup::showNewMessages() { form_.showNewMessages(); }

} // namespace qlx::win
