// Little-endian fields of the binary structures the library reads and builds (SIDs, ACLs,
// security descriptors).  Callers check the bounds before they read or write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vd {

[[nodiscard]] inline std::uint16_t read_le16(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) |
                                      std::to_integer<unsigned>(bytes[at + 1]) << 8);
}

[[nodiscard]] inline std::uint32_t read_le32(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint32_t>(read_le16(bytes, at)) | static_cast<std::uint32_t>(read_le16(bytes, at + 2))
                                                                  << 16;
}

inline void write_le16(std::span<std::byte> bytes, std::size_t at, std::uint16_t value) noexcept {
    bytes[at] = static_cast<std::byte>(value);
    bytes[at + 1] = static_cast<std::byte>(value >> 8);
}

inline void write_le32(std::span<std::byte> bytes, std::size_t at, std::uint32_t value) noexcept {
    write_le16(bytes, at, static_cast<std::uint16_t>(value));
    write_le16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace vd
