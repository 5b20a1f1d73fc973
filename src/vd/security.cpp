// The support library's security operations.
#include "vd/security.h"

#include "vd/hresult_error.h"
#include "vd/security_dacl_edit.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <vector>

namespace vd::security {

namespace {

// The access check of the fallback: Administrators are granted read and write (mask 3) of a
// descriptor owned by them, and the token asks for read.
bool admin_access_check(os::security& system) {
    const well_known_sid administrators(sid_kind::administrators);
    const single_ace_acl acl(administrators.bytes(), 3);
    security_descriptor descriptor;
    descriptor.set_dacl(acl.bytes());
    descriptor.set_group(administrators.bytes());
    descriptor.set_owner(administrators.bytes());
    if (!descriptor.is_valid()) return false;
    const os::generic_mapping mapping{.read = 1, .write = 2, .execute = 0, .all = 3};
    bool granted = false;
    if (system.access_check(descriptor.self_relative(), 1, mapping, granted) != os::hr::ok) return false;
    return granted;
}

}  // namespace

bool is_user_admin(os::security& system) noexcept {
    try {
        const well_known_sid administrators(sid_kind::administrators);
        bool member = false;
        if (system.check_membership(administrators.bytes(), member) == os::hr::ok) return member;
    } catch (...) {
        // Falls through to the access check.
    }
    try {
        return admin_access_check(system);
    } catch (...) {
        return false;
    }
}

bool set_privilege(os::security& system, std::wstring_view privilege, bool enable) noexcept {
    try {
        return system.set_privilege(privilege, enable) == os::hr::ok;
    } catch (...) {
        return false;
    }
}

bool grant_users_access(os::security& system, std::wstring_view path, std::uint32_t mask, std::uint8_t flags) noexcept {
    try {
        std::vector<std::byte> descriptor;
        if (system.read_file_dacl(path, descriptor) != os::hr::ok) return false;
        std::vector<std::byte> written;
        if (users_access_descriptor(descriptor, mask, flags, written) != os::hr::ok) return false;
        return system.write_file_dacl(path, written) == os::hr::ok;
    } catch (...) {
        // std::bad_alloc from a huge descriptor is a refusal like any other.
        return false;
    }
}

}  // namespace vd::security
