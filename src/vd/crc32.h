// CRC-32 of the IEEE 802.3 polynomial (reflected 0xEDB88320, initial value and final XOR
// 0xFFFFFFFF): the value zlib's crc32 gives, used to verify written payload files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vd {

class crc32 {
public:
    // Adds bytes to the running checksum.
    void update(std::span<const std::byte> data) noexcept;
    void update(const void* data, std::size_t size) noexcept {
        update(std::span<const std::byte>(static_cast<const std::byte*>(data), size));
    }
    // The checksum of everything added so far.
    [[nodiscard]] std::uint32_t value() const noexcept { return ~state_; }

private:
    std::uint32_t state_ = 0xFFFFFFFFu;
};

// The checksum of one block of bytes.
[[nodiscard]] std::uint32_t crc32_of(std::span<const std::byte> data) noexcept;

}  // namespace vd
