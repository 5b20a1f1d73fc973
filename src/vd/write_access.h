// Who may change a file or folder, read from the bytes of its owner and DACL: the test an elevated
// program makes before it trusts what it reads from a place that ordinary users might have written.
#pragma once

#include <cstddef>
#include <span>

namespace vd::security {

// True when a self-relative descriptor that carries the owner and the DACL lets nobody but SYSTEM,
// BUILTIN\Administrators and TrustedInstaller change the object:
// - its owner is one of them (an owner may always rewrite the DACL);
// - it has a DACL (no DACL, or a null one, lets everyone in);
// - no allow entry that applies to the object itself (inherit-only entries do not) gives anyone else a
//   right to write, append, delete, change the DACL or the owner; entries for OWNER RIGHTS count as the
//   owner's.  Deny entries are not counted on, since they only hold back the groups they name; entries of
//   kinds this reader does not know count as granting everything.
// `installing_user`, when given, is a SID trusted as those accounts are: the user whose elevated
// process made the object (see the log search).
// False for bytes that are not a valid self-relative descriptor with an owner.
[[nodiscard]] bool only_administrators_may_write(std::span<const std::byte> descriptor,
                                                 std::span<const std::byte> installing_user = {});

}  // namespace vd::security
