// The DACL edit behind vd::security::grant_users_access.
#include "vd/security_dacl_edit.h"

#include "vd/acl.h"
#include "vd/hresult_error.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <algorithm>

namespace vd::security {

os::hresult users_access_descriptor(std::span<const std::byte> descriptor, std::uint32_t mask, std::uint8_t flags,
                                    std::vector<std::byte>& result) {
    try {
        const well_known_sid users(sid_kind::users);
        descriptor_dacl old;
        if (const os::hresult read = read_descriptor_dacl(descriptor, old); read != os::hr::ok) return read;

        // Room for every old entry and the new one, as GetAclInformation's bytes in use count them.
        const std::size_t in_use = old.dacl ? old.dacl->bytes_in_use : acl_header_size;
        // Entries of a later revision (object entries) need the list to keep that revision.
        const std::uint8_t revision = old.dacl ? std::max(acl_revision, old.dacl->revision) : acl_revision;
        acl_writer acl(in_use + users.length() + 8, revision);

        const auto is_users = [&users](const ace_view& ace) { return sid_equal(ace.sid, users.bytes()); };
        std::size_t next = 0;
        if (old.dacl) {
            // The explicit entries that come before the first inherited one keep their place ahead of
            // the new entry; the system evaluates them first.
            for (; next < old.dacl->entries.size(); ++next) {
                const ace_view& ace = old.dacl->entries[next];
                if ((ace.flags & ace_flag::inherited) != 0) break;
                if (!is_users(ace)) acl.add_ace(ace.bytes);
            }
        }
        acl.add_access_allowed_ace(mask, users.bytes(), flags);
        if (old.dacl) {
            for (; next < old.dacl->entries.size(); ++next) {
                const ace_view& ace = old.dacl->entries[next];
                if (!is_users(ace)) acl.add_ace(ace.bytes);
            }
        }

        security_descriptor written;
        written.set_dacl(acl.bytes());
        if ((old.control & se_control::dacl_auto_inherited) != 0) {
            constexpr std::uint16_t auto_inherit = se_control::dacl_auto_inherit_req | se_control::dacl_auto_inherited;
            written.set_control(auto_inherit, auto_inherit);
        }
        // A DACL that was protected from its parent stays protected, also when it was auto-inherited
        // before it was protected: dropping the bit would let the parent's entries flow in again.
        if ((old.control & se_control::dacl_protected) != 0) {
            written.set_control(se_control::dacl_protected, se_control::dacl_protected);
        }
        result = written.self_relative();
        return os::hr::ok;
    } catch (const hresult_error& error) {
        return error.code();
    }
}

}  // namespace vd::security
