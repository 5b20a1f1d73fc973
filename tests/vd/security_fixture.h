// Byte builders for security test fixtures, written apart from the code under test so that a fault in
// the library's writer cannot hide in both.  Everything is little-endian and laid out by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace security_fixture {

using bytes = std::vector<std::byte>;

inline void put16(bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::byte>(v));
    b.push_back(static_cast<std::byte>(v >> 8));
}
inline void put32(bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
inline void append(bytes& to, const bytes& from) { to.insert(to.end(), from.begin(), from.end()); }

inline bytes sid(std::uint8_t authority, std::initializer_list<std::uint32_t> subs) {
    bytes b{std::byte{1}, static_cast<std::byte>(subs.size()),
            std::byte{0}, std::byte{0},
            std::byte{0}, std::byte{0},
            std::byte{0}, std::byte{authority}};
    for (auto s : subs) put32(b, s);
    return b;
}

inline const bytes users = sid(5, {32, 545});
inline const bytes administrators = sid(5, {32, 544});
inline const bytes everyone = sid(1, {0});
inline const bytes local_system = sid(5, {18});
inline const bytes creator_owner = sid(3, {0});

inline constexpr std::uint8_t allow = 0;
inline constexpr std::uint8_t deny = 1;
inline constexpr std::uint8_t inherited = 0x10;

// An entry with mask and SID (allow, deny, audit...).
inline bytes ace(std::uint8_t type, std::uint8_t flags, std::uint32_t mask, const bytes& trustee) {
    bytes b{static_cast<std::byte>(type), static_cast<std::byte>(flags)};
    put16(b, static_cast<std::uint32_t>(8 + trustee.size()));
    put32(b, mask);
    append(b, trustee);
    return b;
}

// An ACL whose AclSize is the header and entries plus `slack` free bytes.
inline bytes acl(std::initializer_list<bytes> entries, std::size_t slack = 0, std::uint8_t revision = 2) {
    std::size_t size = 8 + slack;
    for (const auto& e : entries) size += e.size();
    bytes b{static_cast<std::byte>(revision), std::byte{0}};
    put16(b, static_cast<std::uint32_t>(size));
    put16(b, static_cast<std::uint32_t>(entries.size()));
    put16(b, 0);
    for (const auto& e : entries) append(b, e);
    b.resize(size);
    return b;
}

// A self-relative descriptor whose only part is the DACL (after the header); with no ACL the DACL
// offset is 0.
inline bytes descriptor(std::uint16_t control, const std::optional<bytes>& dacl) {
    bytes b{std::byte{1}, std::byte{0}};
    put16(b, control);
    put32(b, 0);  // owner
    put32(b, 0);  // group
    put32(b, 0);  // SACL
    put32(b, dacl ? 20 : 0);
    if (dacl) append(b, *dacl);
    return b;
}

}  // namespace security_fixture
