// The global shortcut on X11: a passive grab of the key with its modifiers on the root window,
// once for each state of Num Lock and Caps Lock, so that the shortcut works whatever they are.
#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

namespace qlx::qt {

class X11HotKey final : public QAbstractNativeEventFilter {
public:
    // pressed(true) on the key's press (repeats of a held key included), pressed(false) on
    // its release.
    explicit X11HotKey(std::function<void(bool pressed)> event);
    ~X11HotKey() override;

    // Grabs a shortcut (a Windows virtual key with the hot-key service's modifier flags);
    // false when there is no X display, the key has no key code here, or another client
    // holds the combination.
    bool grab(uint32_t modifiers, uint32_t virtualKey);
    void ungrab();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<void(bool)> event_;
    uint8_t keycode_ = 0;
    uint16_t modifiers_ = 0;
};

// The X key symbol of a Windows virtual key, 0 where there is none.
uint32_t keysymOfVirtualKey(uint32_t virtualKey);

} // namespace qlx::qt
