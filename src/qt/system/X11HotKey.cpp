#include "qt/system/X11HotKey.h"

#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>

#include "lookup/LookupHotKey.h"
#include "qt/system/X11Window.h"

namespace qlx::qt {

namespace {

// The first key code that gives the key symbol without modifiers.
uint8_t keycodeOf(xcb_connection_t* c, uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    if (!reply) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int per = reply->keysyms_per_keycode;
    uint8_t found = 0;
    for (int i = 0; i < count && !found && per > 0; ++i)
        for (int j = 0; j < per && j < 2; ++j)
            if (syms[i * per + j] == keysym) {
                found = static_cast<uint8_t>(first + i);
                break;
            }
    std::free(reply);
    return found;
}

// Caps Lock and Num Lock (Mod2 on every common layout) in every combination.
constexpr uint16_t kLockStates[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr uint16_t kShortcutModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

} // namespace

uint32_t keysymOfVirtualKey(uint32_t vk) {
    if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 'a';
    if ((vk >= '0' && vk <= '9') || vk == ' ') return vk;
    if (vk >= 0x70 && vk <= 0x87) return 0xFFBE + (vk - 0x70); // F1 to F24
    if (vk >= 0x60 && vk <= 0x69) return 0xFFB0 + (vk - 0x60); // the number pad's digits
    switch (vk) {
    case 0x08: return 0xFF08; // Backspace
    case 0x09: return 0xFF09; // Tab
    case 0x13: return 0xFF13; // Pause
    case 0x21: return 0xFF55; // Page Up
    case 0x22: return 0xFF56; // Page Down
    case 0x23: return 0xFF57; // End
    case 0x24: return 0xFF50; // Home
    case 0x25: return 0xFF51; // arrows: left, up, right, down
    case 0x26: return 0xFF52;
    case 0x27: return 0xFF53;
    case 0x28: return 0xFF54;
    case 0x2D: return 0xFF63; // Insert
    case 0x2E: return 0xFFFF; // Delete
    case 0x6A: return 0xFFAA; // the number pad's *, +, -, . and /
    case 0x6B: return 0xFFAB;
    case 0x6D: return 0xFFAD;
    case 0x6E: return 0xFFAE;
    case 0x6F: return 0xFFAF;
    default: return 0;
    }
}

X11HotKey::X11HotKey(std::function<void(bool)> event) : event_(std::move(event)) {
    if (qGuiApp) qGuiApp->installNativeEventFilter(this);
}

X11HotKey::~X11HotKey() {
    ungrab();
    if (qGuiApp) qGuiApp->removeNativeEventFilter(this);
}

bool X11HotKey::grab(uint32_t modifiers, uint32_t virtualKey) {
    ungrab();
    xcb_connection_t* c = x11Connection();
    const uint32_t keysym = keysymOfVirtualKey(virtualKey);
    if (!c || keysym == 0) return false;
    const uint8_t keycode = keycodeOf(c, keysym);
    if (keycode == 0) return false;
    uint16_t mods = 0;
    if (modifiers & kModShift) mods |= XCB_MOD_MASK_SHIFT;
    if (modifiers & kModControl) mods |= XCB_MOD_MASK_CONTROL;
    if (modifiers & kModAlt) mods |= XCB_MOD_MASK_1;
    const xcb_window_t root = x11RootWindow(c);
    bool refused = false;
    for (const uint16_t lock : kLockStates) {
        xcb_generic_error_t* error = xcb_request_check(
            c, xcb_grab_key_checked(c, 1, root, mods | lock, keycode, XCB_GRAB_MODE_ASYNC,
                                    XCB_GRAB_MODE_ASYNC));
        if (error) {
            refused = true;
            std::free(error);
        }
    }
    keycode_ = keycode;
    modifiers_ = mods;
    if (refused) {
        // Another client holds the combination: none of it stays ours.
        ungrab();
        return false;
    }
    return true;
}

void X11HotKey::ungrab() {
    xcb_connection_t* c = x11Connection();
    if (c && keycode_ != 0) {
        const xcb_window_t root = x11RootWindow(c);
        for (const uint16_t lock : kLockStates)
            xcb_ungrab_key(c, keycode_, root, modifiers_ | lock);
        xcb_flush(c);
    }
    keycode_ = 0;
    modifiers_ = 0;
}

bool X11HotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (keycode_ == 0 || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7F;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->detail != keycode_) return false;
    if (type == XCB_KEY_PRESS && (key->state & kShortcutModifiers) != modifiers_) return false;
    event_(type == XCB_KEY_PRESS);
    // A release also reaches a window of the program that has the focus.
    return type == XCB_KEY_PRESS;
}

} // namespace qlx::qt
