// The names the keyboard layout gives to keys, for the shortcut keys that have no fixed name.
#pragma once

#include <cstdint>
#include <string>

namespace qlx::win {

// The layout's name of the key with that virtual-key code; empty when it has none.
std::string layoutKeyName(uint8_t virtualKey);

} // namespace qlx::win
