// The panel's text drop target on the system's drag-and-drop service: TGenericVCLDropTarget
// owns the registration and the system-facing object, TTextDropTarget takes plain 8-bit
// text and raises the drop target's events.
#pragma once

#include <windows.h>

#include <ole2.h>

#include "controls/TextDropTarget.h"

namespace qlx::win {

class TGenericVCLDropTarget;

// The object the system calls; it forwards every call to its owner.
class TDropTargetImpl final : public IDropTarget, public RefCounted {
public:
    explicit TDropTargetImpl(TGenericVCLDropTarget& owner) : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return addRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return release(); }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                   DWORD* effect) override;

private:
    TGenericVCLDropTarget& owner_;
};

class TGenericVCLDropTarget {
public:
    TGenericVCLDropTarget();
    virtual ~TGenericVCLDropTarget();
    TGenericVCLDropTarget(const TGenericVCLDropTarget&) = delete;
    TGenericVCLDropTarget& operator=(const TGenericVCLDropTarget&) = delete;

    HWND TargetControl() const { return target_; }
    bool Registered() const { return registered_; }
    // Registers window as the drop target, revoking the window registered before.
    void SetDropTarget(HWND window);

    virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) = 0;
    virtual HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) = 0;

private:
    HWND target_ = nullptr;
    bool registered_ = false;
    bool oleReady_ = false;
    TDropTargetImpl* impl_ = nullptr;
};

// Plain 8-bit text (CF_TEXT in global memory); the events are the core's.
class TTextDropTarget final : public TGenericVCLDropTarget {
public:
    qlx::TextDropTarget events;

    HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
};

} // namespace qlx::win
