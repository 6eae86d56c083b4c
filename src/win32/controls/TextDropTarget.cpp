// The text drop target's system-facing object, registration and data reading.
#include "win32/controls/TextDropTarget.h"

#include <cstring>

#include "win32/system/Clipboard.h"

namespace qlx::win {

namespace {
FORMATETC textFormat(CLIPFORMAT format) {
    FORMATETC result{};
    result.cfFormat = format;
    result.ptd = nullptr;
    result.dwAspect = DVASPECT_CONTENT;
    result.lindex = -1;
    result.tymed = TYMED_HGLOBAL;
    return result;
}

// The data object as the core's drop target reads it. Unicode text comes first and is
// converted by the program's own Windows-1252 conversion, as the clipboard's text is, so a
// word gives the same address whether it is copied or dragged; 8-bit text is the fallback.
class DataObjectText final : public TextDropData {
public:
    explicit DataObjectText(IDataObject* data) : data_(data) {}

    int32_t queryText() override {
        if (data_ == nullptr) return kStatusFormatRefused;
        FORMATETC wide = textFormat(CF_UNICODETEXT);
        if (data_->QueryGetData(&wide) == S_OK) return S_OK;
        FORMATETC narrow = textFormat(CF_TEXT);
        return data_->QueryGetData(&narrow);
    }

    int32_t getText(std::string& text) override {
        if (data_ == nullptr) return kStatusFormatRefused;
        FORMATETC wide = textFormat(CF_UNICODETEXT);
        if (data_->QueryGetData(&wide) == S_OK) {
            const HRESULT status = read(wide, text, [](const void* block, SIZE_T size) {
                return searchTextSource(blockText(static_cast<const wchar_t*>(block), size));
            });
            if (SUCCEEDED(status)) return status;
        }
        FORMATETC narrow = textFormat(CF_TEXT);
        return read(narrow, text, [](const void* block, SIZE_T size) {
            return textOfBlock(static_cast<const char*>(block), size);
        });
    }

private:
    template <typename Convert> HRESULT read(FORMATETC& format, std::string& text, Convert convert) {
        STGMEDIUM medium{};
        const HRESULT status = data_->GetData(&format, &medium);
        if (FAILED(status)) return status;
        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
            if (const void* block = GlobalLock(medium.hGlobal)) {
                try {
                    text = convert(block, GlobalSize(medium.hGlobal));
                } catch (...) {
                }
                GlobalUnlock(medium.hGlobal);
            }
        }
        ReleaseStgMedium(&medium);
        return status;
    }

    IDataObject* data_;
};

} // namespace

HRESULT TDropTargetImpl::QueryInterface(REFIID id, void** result) {
    InterfaceId asked{};
    std::memcpy(&asked, &id, sizeof asked);
    return queryDropTargetInterface(*this, static_cast<IDropTarget*>(this), asked, result);
}

// Nothing thrown by the events may reach the system.
HRESULT TDropTargetImpl::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    try {
        return owner_.DragEnter(data, keyState, point, effect);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TDropTargetImpl::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
    try {
        return owner_.DragOver(keyState, point, effect);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TDropTargetImpl::DragLeave() {
    try {
        return owner_.DragLeave();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TDropTargetImpl::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    try {
        return owner_.Drop(data, keyState, point, effect);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

TGenericVCLDropTarget::TGenericVCLDropTarget() {
    oleReady_ = SUCCEEDED(OleInitialize(nullptr));
    impl_ = new TDropTargetImpl(*this);
}

TGenericVCLDropTarget::~TGenericVCLDropTarget() {
    // The system's reference must not outlive the owner the object calls back.
    if (registered_ && target_ != nullptr && IsWindow(target_)) RevokeDragDrop(target_);
    impl_->Release();
    if (oleReady_) OleUninitialize();
}

void TGenericVCLDropTarget::SetDropTarget(HWND window) {
    if (registered_ && target_ != nullptr) RevokeDragDrop(target_);
    target_ = window;
    registered_ = window != nullptr && SUCCEEDED(RegisterDragDrop(window, impl_));
}

HRESULT TTextDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    uint32_t newEffect = effect ? *effect : 0;
    DataObjectText text(data);
    const int32_t status = events.DragEnter(text, keyState, point.x, point.y, newEffect);
    if (effect) *effect = newEffect;
    return status;
}

HRESULT TTextDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
    uint32_t newEffect = effect ? *effect : 0;
    const int32_t status = events.DragOver(keyState, point.x, point.y, newEffect);
    if (effect) *effect = newEffect;
    return status;
}

HRESULT TTextDropTarget::DragLeave() { return events.DragLeave(); }

HRESULT TTextDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD*) {
    DataObjectText text(data);
    return events.Drop(text, keyState, point.x, point.y);
}

} // namespace qlx::win
