// The program on the session bus: dk.lemmary.Quiklex at /dk/lemmary/Quiklex. Other programs
// send text to look up; a second start asks for the clipboard's lookup or the panel.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace qlx::qt {

inline constexpr const char* kBusName = "dk.lemmary.Quiklex";
inline constexpr const char* kBusPath = "/dk/lemmary/Quiklex";

class LookupService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "dk.lemmary.Quiklex")

public:
    struct Handlers {
        std::function<void(const QString&)> lookUp;
        std::function<void()> lookUpClipboard;
        std::function<void()> showPanel;
    };
    explicit LookupService(Handlers handlers) : handlers_(std::move(handlers)) {}

public Q_SLOTS:
    // The text is cleaned and looked up, as text sent to the program on Windows.
    void LookUp(const QString& text) { handlers_.lookUp(text); }
    void LookUpClipboard() { handlers_.lookUpClipboard(); }
    void ShowPanel() { handlers_.showPanel(); }

private:
    Handlers handlers_;
};

// Takes the program's name on the session bus and serves the object; false when another
// instance has the name (or there is no session bus: then there is nobody to hand over to
// either, and the program runs on its own).
bool registerLookupService(LookupService& service, bool& busAvailable);
// Asks the running instance; true when it answered.
bool forwardToRunningInstance(bool clipboard);

} // namespace qlx::qt
