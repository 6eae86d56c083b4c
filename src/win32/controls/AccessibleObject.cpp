// IAccessible over an accessible tree.
#include "win32/controls/AccessibleObject.h"

#include <atomic>
#include <deque>

#include "win32/system/Encoding.h"
#include "win32/system/MessageWindow.h"
#include "win32/system/Oleacc.h"
#include "win32/system/SystemLibrary.h"

namespace qlx::win {

namespace {

constexpr HRESULT kDisconnected = static_cast<HRESULT>(0x80010108L); // RPC_E_DISCONNECTED

BSTR bstrOf(const std::string& text) {
    const std::wstring wide = widen(text);
    // The automation library comes from the system folder, never from beside the program.
    static const auto allocate = systemFunction<decltype(&SysAllocStringLen)>(
        L"oleaut32.dll", "SysAllocStringLen");
    return allocate ? allocate(wide.data(), static_cast<UINT>(wide.size())) : nullptr;
}

// Default actions run from a message posted to a window of the thread that answers for the
// objects, so that a client's call (a reader in another process, waiting for the answer)
// returns at once, also when the action opens a menu or asks a question.
constexpr UINT kRunDefaultAction = WM_APP + 1;
struct PendingAction {
    std::shared_ptr<AccessibleLink> link;
    std::string control;
};
std::deque<PendingAction> pendingActions; // the GUI thread's: COM calls the objects there

LRESULT CALLBACK actionWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kRunDefaultAction) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (pendingActions.empty()) return 0;
    const PendingAction action = std::move(pendingActions.front());
    pendingActions.pop_front();
    try {
        // The window may have gone meanwhile; it checks itself whether the control still acts.
        if (action.link->source) action.link->source->accessibleDefaultAction(action.control);
    } catch (...) {
    }
    return 0;
}

// A message-only window, made on the first object's thread.
HWND actionWindow() {
    static HWND window = createMessageWindow(L"QuiklexAccessibleActions", actionWindowProc);
    return window;
}

void postDefaultAction(const std::shared_ptr<AccessibleLink>& link, const std::string& control) {
    pendingActions.push_back({link, control});
    if (HWND window = actionWindow(); window && PostMessageW(window, kRunDefaultAction, 0, 0))
        return;
    // No window to post to: at once, rather than not at all.
    pendingActions.pop_back();
    if (link->source) link->source->accessibleDefaultAction(control);
}

// Whether the focus is on a node below this one.
bool holdsFocus(const AccNode& node) {
    if (node.focusWithin) return true;
    for (const AccNode& c : node.children)
        if ((c.states & kStateFocused) || holdsFocus(c)) return true;
    return false;
}

class TreeAccessible final : public IAccessible {
public:
    TreeAccessible(std::shared_ptr<AccessibleLink> link, std::vector<size_t> path)
        : link_(std::move(link)), path_(std::move(path)) {}
    virtual ~TreeAccessible() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: the interface is used through its vtable only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return guarded([&]() -> HRESULT {
            if (!parent) return E_POINTER;
            *parent = nullptr;
            AccNode tree;
            if (!nodeAt(tree)) return kDisconnected;
            if (path_.empty()) {
                *parent = link_->source->accessibleWindowObject();
            } else {
                std::vector<size_t> up(path_.begin(), path_.end() - 1);
                *parent = createAccessibleObject(link_, std::move(up));
            }
            return *parent ? S_OK : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return withNode([&](const AccNode& node) {
            if (!count) return E_POINTER;
            *count = static_cast<long>(node.children.size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return guarded([&]() -> HRESULT {
            if (!out) return E_POINTER;
            *out = nullptr;
            AccNode tree;
            const AccNode* node = nodeAt(tree);
            if (!node) return kDisconnected;
            const long id = childId(child);
            if (id <= 0 || id > static_cast<long>(node->children.size())) return E_INVALIDARG;
            const AccNode& c = node->children[static_cast<size_t>(id - 1)];
            if (c.systemObject) {
                *out = link_->source->accessibleSystemObject(c.control);
            } else if (!c.children.empty()) {
                std::vector<size_t> down = path_;
                down.push_back(static_cast<size_t>(id - 1));
                *out = createAccessibleObject(link_, std::move(down));
            }
            return *out ? S_OK : S_FALSE; // a simple element: asked through this object
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return text(child, name, [](const AccNode& n) { return n.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        if (value) *value = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return number(child, role, [](const AccNode& n) { return n.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return number(child, state, [](const AccNode& n) { return n.states; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return text(child, out, [](const AccNode& n) { return n.keyboardShortcut; });
    }
    // The focused descendant: this object itself, a simple element by its number, or the
    // object of the child that is or holds the focus (a field's, a panel's window), which a
    // client asks on.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return withNode([&](const AccNode& node) {
            if (!focus) return E_POINTER;
            focus->vt = VT_EMPTY;
            if (node.states & kStateFocused) {
                focus->vt = VT_I4;
                focus->lVal = CHILDID_SELF;
                return S_OK;
            }
            for (size_t i = 0; i < node.children.size(); ++i) {
                const AccNode& c = node.children[i];
                if ((c.states & kStateFocused) || holdsFocus(c))
                    return childVariant(node, static_cast<long>(i + 1), focus);
            }
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection) selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return text(child, action, [](const AccNode& n) { return n.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return withChild(child, [&](const AccNode& n) {
            if (!(flags & SELFLAG_TAKEFOCUS) || !(n.states & kStateFocusable)) return S_FALSE;
            link_->source->accessibleFocus(n.control);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return withChild(child, [&](const AccNode& n) {
            if (!left || !top || !width || !height) return E_POINTER;
            const POINT origin = link_->source->accessibleOrigin();
            *left = origin.x + n.bounds.left;
            *top = origin.y + n.bounds.top;
            *width = n.bounds.width;
            *height = n.bounds.height;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return guarded([&]() -> HRESULT {
            if (!end) return E_POINTER;
            end->vt = VT_EMPTY;
            AccNode tree;
            const AccNode* node = nodeAt(tree);
            if (!node) return kDisconnected;
            const long count = static_cast<long>(node->children.size());
            const long from = childId(start);
            long to = 0;
            switch (direction) {
            case NAVDIR_FIRSTCHILD: to = from == CHILDID_SELF && count > 0 ? 1 : 0; break;
            case NAVDIR_LASTCHILD: to = from == CHILDID_SELF ? count : 0; break;
            case NAVDIR_NEXT: to = from > 0 && from < count ? from + 1 : 0; break;
            case NAVDIR_PREVIOUS: to = from > 1 ? from - 1 : 0; break;
            default: return E_NOTIMPL;
            }
            if (to == 0) return S_FALSE;
            return childVariant(*node, to, end);
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        return guarded([&]() -> HRESULT {
            if (!hit) return E_POINTER;
            hit->vt = VT_EMPTY;
            AccNode tree;
            const AccNode* node = nodeAt(tree);
            if (!node) return kDisconnected;
            const POINT origin = link_->source->accessibleOrigin();
            const int cx = static_cast<int>(x - origin.x);
            const int cy = static_cast<int>(y - origin.y);
            // The last child drawn on top wins.
            for (size_t i = node->children.size(); i-- > 0;)
                if (node->children[i].bounds.contains(cx, cy))
                    return childVariant(*node, static_cast<long>(i + 1), hit);
            if (!node->bounds.contains(cx, cy)) return S_FALSE;
            hit->vt = VT_I4;
            hit->lVal = CHILDID_SELF;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        std::string control;
        const HRESULT found = withChild(child, [&](const AccNode& n) {
            if (n.defaultAction.empty() || (n.states & kStateUnavailable)) return DISP_E_MEMBERNOTFOUND;
            control = n.control;
            return S_OK;
        });
        if (found != S_OK) return found;
        return guarded([&]() -> HRESULT {
            if (!link_->source) return kDisconnected;
            postDefaultAction(link_, control);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    template <typename F> static HRESULT guarded(F&& f) {
        try {
            return f();
        } catch (...) {
            return E_FAIL;
        }
    }

    static long childId(const VARIANT& v) {
        if (v.vt == VT_I4) return v.lVal;
        if (v.vt == VT_I2) return v.iVal;
        if (v.vt == VT_EMPTY) return CHILDID_SELF;
        return -1;
    }

    // The node this object stands for, in a fresh copy of the tree; null when the window is
    // gone or the node no longer exists.
    const AccNode* nodeAt(AccNode& tree) const {
        if (!link_ || !link_->source) return nullptr;
        tree = link_->source->accessibleTree();
        const AccNode* node = &tree;
        for (size_t i : path_) {
            if (i >= node->children.size()) return nullptr;
            node = &node->children[i];
        }
        return node;
    }

    template <typename F> HRESULT withNode(F&& f) const {
        return guarded([&]() -> HRESULT {
            AccNode tree;
            const AccNode* node = nodeAt(tree);
            return node ? f(*node) : kDisconnected;
        });
    }

    template <typename F> HRESULT withChild(const VARIANT& child, F&& f) const {
        return withNode([&](const AccNode& node) -> HRESULT {
            const long id = childId(child);
            if (id == CHILDID_SELF) return f(node);
            if (id < 0 || id > static_cast<long>(node.children.size())) return E_INVALIDARG;
            return f(node.children[static_cast<size_t>(id - 1)]);
        });
    }

    template <typename F> HRESULT number(const VARIANT& child, VARIANT* out, F&& field) const {
        return withChild(child, [&](const AccNode& n) {
            if (!out) return E_POINTER;
            out->vt = VT_I4;
            out->lVal = static_cast<LONG>(field(n));
            return S_OK;
        });
    }

    template <typename F> HRESULT text(const VARIANT& child, BSTR* out, F&& field) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        return withChild(child, [&](const AccNode& n) -> HRESULT {
            const std::string value = field(n);
            if (value.empty()) return S_FALSE;
            *out = bstrOf(value);
            return *out ? S_OK : E_OUTOFMEMORY;
        });
    }

    // A child as a VARIANT: an object for a node with children of its own, else its number.
    HRESULT childVariant(const AccNode& node, long id, VARIANT* out) const {
        const AccNode& c = node.children[static_cast<size_t>(id - 1)];
        IDispatch* object = nullptr;
        if (c.systemObject) {
            object = link_->source->accessibleSystemObject(c.control);
        } else if (!c.children.empty()) {
            std::vector<size_t> down = path_;
            down.push_back(static_cast<size_t>(id - 1));
            object = createAccessibleObject(link_, std::move(down));
        }
        if (object) {
            out->vt = VT_DISPATCH;
            out->pdispVal = object;
        } else {
            out->vt = VT_I4;
            out->lVal = id;
        }
        return S_OK;
    }

    std::shared_ptr<AccessibleLink> link_;
    std::vector<size_t> path_;
    std::atomic<ULONG> refs_{1};
};

} // namespace

IAccessible* createAccessibleObject(std::shared_ptr<AccessibleLink> link,
                                    std::vector<size_t> path) {
    return new TreeAccessible(std::move(link), std::move(path));
}

LRESULT answerGetObject(const std::shared_ptr<AccessibleLink>& link, std::vector<size_t> path,
                        WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !link || !link->source) return 0;
    IAccessible* object = createAccessibleObject(link, std::move(path));
    const LRESULT result = resultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result;
}

} // namespace qlx::win
