// The text drop target without its system-facing shell: the interfaces it answers, its
// reference count, the shift state made from the key-state flags, the text of a dropped
// memory block, and the four drag-and-drop calls turned into the component's events. The
// Windows side only wraps this in the drop-target interface and reads the data object.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qlx {

// Status and effect values of the drag-and-drop service.
inline constexpr int32_t kStatusOk = 0;
inline constexpr int32_t kStatusNoInterface = static_cast<int32_t>(0x80004002);
inline constexpr int32_t kStatusNullPointer = static_cast<int32_t>(0x80004003);
inline constexpr int32_t kStatusFormatRefused = static_cast<int32_t>(0x80040064);
inline constexpr uint32_t kDropEffectCopy = 1;

// An interface identifier, laid out as the system lays it out.
struct InterfaceId {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
    bool operator==(const InterfaceId&) const = default;
};
inline constexpr InterfaceId kUnknownInterface{0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr InterfaceId kDropTargetInterface{0x00000122, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Shared ownership by the system's rules: the count starts at 1 for the creator, changes
// atomically, and the object deletes itself when it reaches 0.
class RefCounted {
public:
    uint32_t addRef() { return ++count_; }
    uint32_t release();

protected:
    virtual ~RefCounted() = default;

private:
    std::atomic<uint32_t> count_{1};
};

// QueryInterface of a drop target: itself (asInterface) with a new reference for the
// unknown and the drop-target interfaces; a null pointer and "no interface" for the rest.
int32_t queryDropTargetInterface(RefCounted& self, void* asInterface, const InterfaceId& id,
                                 void** result);

// Key-state flags of a drag.
inline constexpr uint32_t kKeyLeftButton = 0x01;
inline constexpr uint32_t kKeyRightButton = 0x02;
inline constexpr uint32_t kKeyShift = 0x04;
inline constexpr uint32_t kKeyControl = 0x08;
inline constexpr uint32_t kKeyMiddleButton = 0x10;
inline constexpr uint32_t kKeyAlt = 0x20;

struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool left = false;
    bool right = false;
    bool middle = false;
    bool operator==(const ShiftState&) const = default;
};
ShiftState shiftStateOf(uint32_t keyState);

// The 8-bit text in a dropped memory block: up to its first zero byte, or all of it.
std::string textOfBlock(const char* data, size_t size);

// The dragged data as the drop target asks for it (plain 8-bit text).
class TextDropData {
public:
    virtual ~TextDropData() = default;
    // The data object's answer to whether it can deliver the text.
    virtual int32_t queryText() = 0;
    // Reads the text; on failure returns the status and leaves text alone.
    virtual int32_t getText(std::string& text) = 0;
};

class TextDropTarget {
public:
    std::function<void(int x, int y, ShiftState shift)> OnDragEnter;
    std::function<void(int x, int y, ShiftState shift)> OnDragOver;
    std::function<void()> OnDragLeave;
    std::function<void(int x, int y, ShiftState shift, const std::string& text)> OnDrop;

    // Each returns the status the system gets; x and y are screen coordinates.
    int32_t DragEnter(TextDropData& data, uint32_t keyState, int x, int y, uint32_t& effect);
    int32_t DragOver(uint32_t keyState, int x, int y, uint32_t& effect);
    int32_t DragLeave();
    int32_t Drop(TextDropData& data, uint32_t keyState, int x, int y);
};

} // namespace qlx
