// Little-endian fields of the binary structures the library reads and builds (SIDs, ACLs,
// security descriptors, version blocks, PE images, string tables, the payload's table of contents,
// the registry double's hive files).  Fields are read byte-wise so that no alignment is assumed.
// Callers check the bounds before they read or write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vd {

[[nodiscard]] inline std::uint16_t read_le16(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) | std::to_integer<unsigned>(bytes[at + 1])
                                                                                 << 8);
}

[[nodiscard]] inline std::uint32_t read_le32(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint32_t>(read_le16(bytes, at)) | static_cast<std::uint32_t>(read_le16(bytes, at + 2))
                                                                  << 16;
}

[[nodiscard]] inline std::uint64_t read_le64(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint64_t>(read_le32(bytes, at)) | static_cast<std::uint64_t>(read_le32(bytes, at + 4))
                                                                  << 32;
}

inline void write_le16(std::span<std::byte> bytes, std::size_t at, std::uint16_t value) noexcept {
    bytes[at] = static_cast<std::byte>(value);
    bytes[at + 1] = static_cast<std::byte>(value >> 8);
}

inline void write_le32(std::span<std::byte> bytes, std::size_t at, std::uint32_t value) noexcept {
    write_le16(bytes, at, static_cast<std::uint16_t>(value));
    write_le16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void write_le64(std::span<std::byte> bytes, std::size_t at, std::uint64_t value) noexcept {
    write_le32(bytes, at, static_cast<std::uint32_t>(value));
    write_le32(bytes, at + 4, static_cast<std::uint32_t>(value >> 32));
}

// Appends `value` in sizeof(T) little-endian bytes.
template <typename T>
void append_le(std::vector<std::byte>& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
}

}  // namespace vd
