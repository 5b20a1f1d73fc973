// The payload resource (type 260, id 134) as a read-only, seekable stream over its bytes in place.
#pragma once

#include "os/resources.h"

#include <istream>
#include <memory>

namespace payload {

inline constexpr std::uint16_t payload_resource_id = 134;

// Looks in `resource_module` (set to the program's module when it is 0), then in the program's
// module.  The stream lies over the resource's bytes without copying them and stays valid while the
// module is loaded; it is empty when the resource is missing or empty.
[[nodiscard]] std::unique_ptr<std::istream> open_payload_stream(os::resources& resources,
                                                                os::module_handle& resource_module);

}  // namespace payload
