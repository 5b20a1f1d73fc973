// Finding a resource in the bytes of a PE file (PE32 or PE32+) as it lies on disk, the way the
// loader's resource lookup would find it once the file is mapped.  Every header, directory and
// offset is checked against the bytes given; a malformed file has no resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vd {

// The bytes of resource `type`/`id` (both numbers), the first language listed under it, or
// std::nullopt when the file is not a PE file, has no such resource, or its tables point outside
// the file.
[[nodiscard]] std::optional<std::span<const std::byte>> find_pe_resource(std::span<const std::byte> image,
                                                                         std::uint16_t type, std::uint16_t id);

}  // namespace vd
