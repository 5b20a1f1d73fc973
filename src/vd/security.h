// The support library's security operations: the administrator test, the privilege switch and the
// grant of access to BUILTIN\Users on shared data.  They never throw: every failure of the system or
// of the bytes it returns becomes the answer false.
#pragma once

#include "os/security.h"
#include "vd/acl.h"

#include <cstdint>
#include <string_view>

namespace vd::security {

// Whether the effective token of the calling thread is a member of BUILTIN\Administrators.  Asks
// CheckTokenMembership; when that cannot answer, runs an access check of the impersonated token
// against a descriptor that grants Administrators only.  False when neither answers.
[[nodiscard]] bool is_user_admin(os::security& system) noexcept;

// Enables or disables a privilege of the process token ("SeBackupPrivilege", "SeRestorePrivilege").
// False when the token does not hold it or any call fails; the token's other privileges are unchanged.
// Keeps no state: a caller that enabled a privilege disables it with a second call.
[[nodiscard]] bool set_privilege(os::security& system, std::wstring_view privilege, bool enable) noexcept;

// Gives BUILTIN\Users one allow entry with `mask` and `flags` on the file or folder at `path`, in place
// of any entry it had there (see users_access_descriptor for the order of the entries).  False when
// the descriptor cannot be read or is malformed, or the write fails; the file's security is then
// unchanged, because nothing is written before the new descriptor is complete.
[[nodiscard]] bool grant_users_access(os::security& system, std::wstring_view path, std::uint32_t mask,
                                      std::uint8_t flags) noexcept;

}  // namespace vd::security
