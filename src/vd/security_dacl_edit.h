// The DACL edit behind vd::security::grant_users_access, on the bytes of a file's descriptor.
#pragma once

#include "os/security.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vd::security {

// Builds the self-relative descriptor to write back so that BUILTIN\Users holds exactly one entry, an
// allow entry with `mask` and `flags`:
// - every existing Users entry (allow or deny, explicit or inherited) is dropped;
// - the new entry stands after the entries before the first inherited one and before the rest, and
//   all other entries keep their order;
// - a descriptor without a DACL or with a null DACL gets a DACL holding only the new entry;
// - a DACL marked auto-inherited asks for automatic inheritance again (0x0500), a protected DACL stays
//   protected (0x1000).
// Answers 0, or the HRESULT of why the grant is refused: ERROR_INVALID_SECURITY_DESCR or
// ERROR_INVALID_ACL for malformed bytes, ERROR_INVALID_PARAMETER for flags outside the inheritance
// flags or a DACL too large to grow.  `result` is unchanged on failure.  Never reads past `descriptor`.
[[nodiscard]] os::hresult users_access_descriptor(std::span<const std::byte> descriptor, std::uint32_t mask,
                                                  std::uint8_t flags, std::vector<std::byte>& result);

}  // namespace vd::security
