// Fuzzes the Users DACL edit over arbitrary descriptor bytes: it must refuse or succeed without reading
// past the input, and what it builds must read back with exactly one Users entry carrying the grant.
#include "vd/acl.h"
#include "vd/security_dacl_edit.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the grant (folder or file), the rest is the descriptor, copied so that the
    // address sanitizer sees its exact end.
    if (size == 0) return 0;
    const bool folder = (data[0] & 1) != 0;
    const std::uint32_t mask =
        folder ? vd::security::access_mask::file_all_access : vd::security::access_mask::file_read_write_delete;
    const auto flags = static_cast<std::uint8_t>(folder ? 3 : (data[0] >> 1) & 0x7F);
    const std::vector<std::byte> descriptor(reinterpret_cast<const std::byte*>(data + 1),
                                            reinterpret_cast<const std::byte*>(data + size));
    std::vector<std::byte> written;
    if (vd::security::users_access_descriptor(descriptor, mask, flags, written) != 0) {
        if (!written.empty()) std::abort();
        return 0;
    }
    vd::security::descriptor_dacl read;
    if (vd::security::read_descriptor_dacl(written, read) != 0 || !read.dacl) std::abort();
    const auto users = *vd::security::builtin_sid(vd::security::sid_kind::users);
    int found = 0;
    for (const auto& ace : read.dacl->entries) {
        if (!vd::security::sid_equal(ace.sid, users)) continue;
        ++found;
        if (ace.type != vd::security::ace_type::access_allowed || ace.mask != mask || ace.flags != flags) std::abort();
    }
    if (found != 1) std::abort();
    return 0;
}
