// Who may change a file or folder.
#include "vd/write_access.h"

#include "os/win_error.h"
#include "vd/byte_order.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vd::security {

namespace {

constexpr std::size_t owner_field = 4;

// The rights that change an object or what it holds: write or append data (add a file or a folder),
// delete a child, delete, change the DACL or the owner, and the generic and maximum forms of them.
constexpr std::uint32_t changing_rights =
    0x0002 | 0x0004 | 0x0040 | 0x00010000 | 0x00040000 | 0x00080000 | 0x02000000 | 0x10000000 | 0x40000000;

// A SID from its authority and sub-authorities.
sid_bytes make_sid(std::uint8_t authority, std::span<const std::uint32_t> sub_authorities) {
    sid_bytes sid{std::byte{1}, static_cast<std::byte>(sub_authorities.size()),
                  std::byte{0}, std::byte{0},
                  std::byte{0}, std::byte{0},
                  std::byte{0}, static_cast<std::byte>(authority)};
    for (const std::uint32_t value : sub_authorities)
        for (int shift = 0; shift < 32; shift += 8) sid.push_back(static_cast<std::byte>(value >> shift));
    return sid;
}

// SYSTEM, BUILTIN\Administrators and the TrustedInstaller service: the accounts that may change what
// the system itself installs.
const std::array<sid_bytes, 3>& system_writers() {
    static const std::array<sid_bytes, 3> sids = [] {
        constexpr std::uint32_t local_system[] = {18};
        constexpr std::uint32_t trusted_installer[] = {80,          956008885u,  3418522649u,
                                                       1831038044u, 1853292631u, 2271478464u};
        return std::array<sid_bytes, 3>{make_sid(5, local_system), *builtin_sid(sid_kind::administrators),
                                        make_sid(5, trusted_installer)};
    }();
    return sids;
}

bool is_system_writer(std::span<const std::byte> sid) {
    for (const auto& trusted : system_writers())
        if (sid_equal(sid, trusted)) return true;
    return false;
}

bool is_owner_rights(std::span<const std::byte> sid) {
    constexpr std::uint32_t owner_rights[] = {4};
    static const sid_bytes owner_rights_sid = make_sid(3, owner_rights);
    return sid_equal(sid, owner_rights_sid);
}

// The owner SID of a self-relative descriptor; nothing when it has none or it does not fit.
std::optional<std::span<const std::byte>> owner_of(std::span<const std::byte> descriptor) {
    const std::uint32_t offset = read_le32(descriptor, owner_field);
    if (offset < security_descriptor_header_size || offset >= descriptor.size()) return std::nullopt;
    const auto rest = descriptor.subspan(offset);
    const auto length = sid_length(rest);
    if (!length) return std::nullopt;
    return rest.first(*length);
}

enum class entry_effect { none, system_only, anyone };

// What an entry of a DACL lets do to the object it sits on; `trusted` tells the writers that count as
// the system's own.
template <class Trusted>
entry_effect effect_of(const ace_view& ace, const Trusted& trusted) {
    if ((ace.flags & ace_flag::inherit_only) != 0) return entry_effect::none;
    switch (ace.type) {
        case 0x00:  // ACCESS_ALLOWED
        case 0x05:  // ACCESS_ALLOWED_OBJECT
        case 0x09:  // ACCESS_ALLOWED_CALLBACK
        case 0x0B:  // ACCESS_ALLOWED_CALLBACK_OBJECT
            if ((ace.mask & changing_rights) == 0) return entry_effect::none;
            return trusted(ace.sid) || is_owner_rights(ace.sid) ? entry_effect::system_only : entry_effect::anyone;
        case 0x01:  // the deny kinds
        case 0x06:
        case 0x0A:
        case 0x0C:
        case 0x02:  // audit, alarm, labels and policies: no access is granted by them
        case 0x03:
        case 0x07:
        case 0x08:
        case 0x0D:
        case 0x0E:
        case 0x0F:
        case 0x10:
        case 0x11:
        case 0x12:
        case 0x13:
        case 0x14:
            return entry_effect::none;
        default:
            return entry_effect::anyone;
    }
}

}  // namespace

bool only_administrators_may_write(std::span<const std::byte> descriptor, std::span<const std::byte> installing_user) {
    const auto trusted = [installing_user](std::span<const std::byte> sid) {
        return is_system_writer(sid) || (!installing_user.empty() && sid_equal(sid, installing_user));
    };
    descriptor_dacl read;
    if (read_descriptor_dacl(descriptor, read) != os::hr::ok || !read.dacl) return false;
    const auto owner = owner_of(descriptor);
    if (!owner || !trusted(*owner)) return false;
    for (const auto& ace : read.dacl->entries)
        if (effect_of(ace, trusted) == entry_effect::anyone) return false;
    return true;
}

}  // namespace vd::security
