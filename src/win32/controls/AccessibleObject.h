// The system's accessibility interface over a window's accessible tree (from the core): one
// object per node that has children, its leaves as simple elements numbered from 1. Every
// question reads the tree afresh, so names and states are always the controls' own.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/AccessibleTree.h"

namespace qlx::win {

// What a window offers its accessible objects. Held through AccessibleLink, so that objects a
// client keeps after the window is gone answer "disconnected" instead of reaching it.
class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    virtual AccNode accessibleTree() = 0;
    // The screen point of the tree's client (0, 0).
    virtual POINT accessibleOrigin() = 0;
    virtual void accessibleDefaultAction(const std::string& control) = 0;
    virtual void accessibleFocus(const std::string& /*control*/) {}
    // The system's object for a control with a window of its own, AddRef'd; null if none.
    virtual IDispatch* accessibleSystemObject(const std::string& /*control*/) { return nullptr; }
    // The window's own object, the root's parent, AddRef'd; null if none.
    virtual IDispatch* accessibleWindowObject() { return nullptr; }
};

struct AccessibleLink {
    AccessibleSource* source = nullptr; // cleared when the window goes
};

// A new object (reference count 1) for the node at path (child indexes from the root).
IAccessible* createAccessibleObject(std::shared_ptr<AccessibleLink> link,
                                    std::vector<size_t> path = {});

// A window's answer to WM_GETOBJECT for its client area: the object for the node at path,
// handed over through the system; 0 when the message is for something else or that failed.
LRESULT answerGetObject(const std::shared_ptr<AccessibleLink>& link, std::vector<size_t> path,
                        WPARAM wParam, LPARAM lParam);

} // namespace qlx::win
