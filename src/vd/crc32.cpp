// CRC-32 by slicing: eight tables of 256 reflected entries, built once at compile time, take eight
// bytes per step; the first table alone is the classic byte-at-a-time algorithm.
#include "vd/crc32.h"

#include <array>

namespace vd {

namespace {

using table_set = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr table_set make_tables() {
    table_set t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (std::size_t s = 1; s < 8; ++s)
        for (std::size_t i = 0; i < 256; ++i) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFFu];
    return t;
}

constexpr table_set tables = make_tables();

}  // namespace

void crc32::update(std::span<const std::byte> data) noexcept {
    std::uint32_t c = state_;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    std::size_t n = data.size();
    while (n >= 8) {
        // Little-endian assembly byte by byte, so the result does not depend on the host's order.
        std::uint32_t lo = c ^ (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                std::uint32_t(p[3]) << 24);
        std::uint32_t hi =
            std::uint32_t(p[4]) | std::uint32_t(p[5]) << 8 | std::uint32_t(p[6]) << 16 | std::uint32_t(p[7]) << 24;
        c = tables[7][lo & 0xFF] ^ tables[6][(lo >> 8) & 0xFF] ^ tables[5][(lo >> 16) & 0xFF] ^ tables[4][lo >> 24] ^
            tables[3][hi & 0xFF] ^ tables[2][(hi >> 8) & 0xFF] ^ tables[1][(hi >> 16) & 0xFF] ^ tables[0][hi >> 24];
        p += 8;
        n -= 8;
    }
    while (n--) c = tables[0][(c ^ *p++) & 0xFFu] ^ (c >> 8);
    state_ = c;
}

std::uint32_t crc32_of(std::span<const std::byte> data) noexcept {
    crc32 c;
    c.update(data);
    return c.value();
}

}  // namespace vd
