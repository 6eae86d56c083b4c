// What a window the program draws offers its accessible objects: its accessible tree from the
// core, the widget that shows each node (none for a control drawn on its parent), and the
// default action. The window's widget itself is the root; readers reach it through Qt.
#pragma once

#include <QPoint>
#include <QWidget>

#include <string>
#include <string_view>

#include "forms/AccessibleTree.h"

namespace qlx::qt {

class AccessibleSource {
  public:
    virtual ~AccessibleSource() = default;
    virtual AccNode accessibleTree() const = 0;
    // The widget that shows a node; null for a control drawn on its parent's widget.
    virtual QWidget* accessibleWidget(std::string_view control) const = 0;
    // Whether this window's accessible objects describe a widget on it; the others (a field,
    // the message view, the dialog's own buttons) are described by Qt itself.
    virtual bool describesWidget(const QWidget& widget) const = 0;
    // The screen point of the tree's (0, 0).
    virtual QPoint accessibleOrigin() const = 0;
    // Runs a control's default action, later, from the event loop.
    virtual void accessibleDefaultAction(const std::string& control) = 0;
};

// Makes Qt answer for the program's windows from their trees; once, before the first window.
void installAccessibleTree();

} // namespace qlx::qt
