// What the core asks of the shell to show a page: open an address with the default action.
#pragma once

#include <cstdint>
#include <string>

namespace qlx {

// Shell result codes: above kShellOpenOk is success; these two mean that no browser is
// associated with the address or that the association is incomplete.
inline constexpr int32_t kShellOpenOk = 32;
inline constexpr int32_t kShellNoAssociation = 31;
inline constexpr int32_t kShellAssociationIncomplete = 27;

class ShellOpenPort {
public:
    virtual ~ShellOpenPort() = default;
    // Opens the Windows-1252 address as a document with the default action, owned by the
    // main window, and returns the shell's code. On a desktop without such codes, "no
    // handler for this kind of address" is kShellNoAssociation and any other failure a
    // code of 32 or below.
    virtual int32_t openAddress(const std::string& address) = 0;
};

} // namespace qlx
