// Finding a resource in the bytes of a PE file (PE32 or PE32+) as it lies on disk, the way the
// loader's resource lookup would find it once the file is mapped.  Every header, directory and
// offset is checked against the bytes given; a malformed file has no resources.
//
// The lookup reads the headers, the section table and the resource tree only, through random access,
// so that a large file (an installer carrying its payload) costs a few small reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vd {

// Random access to the bytes of a PE file.
class pe_bytes {
public:
    virtual ~pe_bytes() = default;
    [[nodiscard]] virtual std::uint64_t size() const noexcept = 0;
    // Fills `into` from `offset`; false when the bytes cannot be read completely.
    [[nodiscard]] virtual bool read(std::uint64_t offset, std::span<std::byte> into) = 0;
};

// Where the data of a resource lies in the file.
struct pe_extent {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
};

// The extent of resource `type`/`id` (both numbers), the first language listed under it, or
// std::nullopt when the file is not a PE file, has no such resource, or its tables point outside
// the file.
[[nodiscard]] std::optional<pe_extent> locate_pe_resource(pe_bytes& image, std::uint16_t type, std::uint16_t id);

// The same lookup over bytes in memory: the resource's bytes within `image`.
[[nodiscard]] std::optional<std::span<const std::byte>> find_pe_resource(std::span<const std::byte> image,
                                                                         std::uint16_t type, std::uint16_t id);

}  // namespace vd
