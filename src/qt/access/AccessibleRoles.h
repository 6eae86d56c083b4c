// How the core's accessible roles, states and default actions (numbered as the Windows
// accessibility interface numbers them) read in Qt's accessibility terms, which Qt hands to
// AT-SPI.
#pragma once

#include <QAccessible>
#include <QString>

#include <cstdint>

namespace qlx::qt {

QAccessible::Role qtRole(uint32_t role);
// The node's states over what the widget itself reports (its window's activity, its place on
// the screen): focus, check mark, availability and visibility are the tree's.
QAccessible::State qtState(uint32_t states, uint32_t role, QAccessible::State base = {});
// The action a node with a default action offers: a check-mark button toggles, a button is
// pressed. Empty when it offers none.
QString qtActionName(uint32_t role, bool hasDefaultAction, uint32_t states);

} // namespace qlx::qt
