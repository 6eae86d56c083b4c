// The text drop target's logic.
#include "controls/TextDropTarget.h"

#include <cstring>

namespace qlx {

uint32_t RefCounted::release() {
    const uint32_t left = --count_;
    if (left == 0) delete this;
    return left;
}

int32_t queryDropTargetInterface(RefCounted& self, void* asInterface, const InterfaceId& id,
                                 void** result) {
    if (result == nullptr) return kStatusNullPointer;
    if (id == kUnknownInterface || id == kDropTargetInterface) {
        *result = asInterface;
        self.addRef();
        return kStatusOk;
    }
    *result = nullptr;
    return kStatusNoInterface;
}

ShiftState shiftStateOf(uint32_t keyState) {
    ShiftState s;
    s.shift = (keyState & kKeyShift) != 0;
    s.ctrl = (keyState & kKeyControl) != 0;
    s.alt = (keyState & kKeyAlt) != 0;
    s.left = (keyState & kKeyLeftButton) != 0;
    s.right = (keyState & kKeyRightButton) != 0;
    s.middle = (keyState & kKeyMiddleButton) != 0;
    return s;
}

std::string textOfBlock(const char* data, size_t size) {
    if (data == nullptr) return {};
    const void* zero = std::memchr(data, 0, size);
    return std::string(data, zero ? static_cast<const char*>(zero) - data : size);
}

int32_t TextDropTarget::DragEnter(TextDropData& data, uint32_t keyState, int x, int y,
                                  uint32_t& effect) {
    int32_t status = data.queryText();
    // "Yes, but..." answers (such as S_FALSE) count as a refusal, so that data without
    // text never shows the copy cursor.
    if (status > kStatusOk) status = kStatusFormatRefused;
    if (status == kStatusOk && OnDragEnter) OnDragEnter(x, y, shiftStateOf(keyState));
    effect = kDropEffectCopy;
    return status;
}

int32_t TextDropTarget::DragOver(uint32_t keyState, int x, int y, uint32_t& effect) {
    if (OnDragOver) OnDragOver(x, y, shiftStateOf(keyState));
    effect = kDropEffectCopy;
    return kStatusOk;
}

int32_t TextDropTarget::DragLeave() {
    if (OnDragLeave) OnDragLeave();
    return kStatusOk;
}

int32_t TextDropTarget::Drop(TextDropData& data, uint32_t keyState, int x, int y) {
    if (!OnDrop) return kStatusOk;
    std::string text;
    const int32_t status = data.getText(text);
    if (status < kStatusOk) return status;
    OnDrop(x, y, shiftStateOf(keyState), text);
    return status;
}

} // namespace qlx
