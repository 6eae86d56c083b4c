// On a desktop that lets no program take a key for the whole desktop or place its own
// windows (Wayland), the user hears once what to do instead: bind the desktop's own shortcut
// to "quiklex --clipboard". Not when the desktop's shortcut service (the portal's global
// shortcuts) took the shortcut. The settings remember it, so it comes once, not at each start.
#pragma once

#include <string>

namespace qlx {

class DesktopLimitsNotice {
  public:
    // limited: the desktop forbids the key grab; noticedBefore: the settings' mark.
    void start(bool limited, bool noticedBefore);
    // The desktop's shortcut service answered: bound is whether it took the shortcut. A
    // desktop without the service answers false at once.
    void shortcutServiceAnswered(bool bound);
    // The panel has shown for the first time.
    void firstShown();

    // Everything is known and the notice is wanted: true once, until it is deferred again.
    bool takeDue();
    // A dialog was open when its turn came: it waits for the next chance.
    void deferred();
    void shown();

  private:
    enum class Stage { waiting, posted, done };
    bool limited_ = false;
    bool answered_ = false;
    bool bound_ = false;
    bool firstShown_ = false;
    Stage stage_ = Stage::waiting;
};

// The notice's text.
std::string desktopLimitsText();

} // namespace qlx
