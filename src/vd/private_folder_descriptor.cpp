// The work folder's descriptor (see private_folder_descriptor.h).
#include "vd/private_folder_descriptor.h"

#include "vd/acl.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <array>

namespace vd::security {

namespace {

// S-1-5-18: revision 1, one sub-authority, the NT authority, 18.
constexpr std::array<std::byte, 12> local_system_sid{std::byte{1},  std::byte{1}, std::byte{0}, std::byte{0},
                                                     std::byte{0},  std::byte{0}, std::byte{0}, std::byte{5},
                                                     std::byte{18}, std::byte{0}, std::byte{0}, std::byte{0}};

}  // namespace

std::vector<std::byte> administrators_only_descriptor() {
    const auto administrators = builtin_sid(sid_kind::administrators).value();
    constexpr std::uint8_t inherited_below = ace_flag::object_inherit | ace_flag::container_inherit;
    // Each allowed entry: a 4-byte header, the 4-byte mask and the SID.
    acl_writer acl(acl_header_size + 8 + administrators.size() + 8 + local_system_sid.size(), acl_revision);
    acl.add_access_allowed_ace(access_mask::file_all_access, administrators, inherited_below);
    acl.add_access_allowed_ace(access_mask::file_all_access, local_system_sid, inherited_below);
    security_descriptor descriptor;
    descriptor.set_dacl(acl.bytes());
    descriptor.set_control(se_control::dacl_protected, se_control::dacl_protected);
    return descriptor.self_relative();
}

}  // namespace vd::security
