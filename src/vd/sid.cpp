// SIDs as bytes.
#include "vd/sid.h"

#include "os/win_error.h"
#include "vd/byte_order.h"
#include "vd/hresult_error.h"

#include <array>

namespace vd::security {

namespace {

constexpr std::uint8_t sid_revision = 1;

sid_bytes make_sid(std::uint8_t authority, std::initializer_list<std::uint32_t> sub_authorities) {
    sid_bytes sid(8 + 4 * sub_authorities.size());
    sid[0] = std::byte{sid_revision};
    sid[1] = static_cast<std::byte>(sub_authorities.size());
    sid[7] = std::byte{authority};  // identifier authority {0,0,0,0,0,authority}
    std::size_t at = 8;
    for (std::uint32_t value : sub_authorities) {
        for (int shift = 0; shift < 32; shift += 8) sid[at++] = static_cast<std::byte>(value >> shift);
    }
    return sid;
}

}  // namespace

std::optional<std::size_t> sid_length(std::span<const std::byte> bytes) noexcept {
    if (bytes.size() < 8) return std::nullopt;
    if (std::to_integer<std::uint8_t>(bytes[0]) != sid_revision) return std::nullopt;
    const auto count = std::to_integer<std::size_t>(bytes[1]);
    if (count > max_sub_authorities) return std::nullopt;
    const std::size_t length = 8 + 4 * count;
    if (bytes.size() < length) return std::nullopt;
    return length;
}

bool sid_equal(std::span<const std::byte> a, std::span<const std::byte> b) noexcept {
    const auto length_a = sid_length(a);
    const auto length_b = sid_length(b);
    if (!length_a || !length_b || *length_a != *length_b) return false;
    for (std::size_t i = 0; i < *length_a; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

std::wstring sid_to_string(std::span<const std::byte> sid) {
    const auto length = sid_length(sid);
    if (!length) return {};
    std::uint64_t authority = 0;
    for (std::size_t i = 2; i < 8; ++i) authority = authority << 8 | std::to_integer<std::uint64_t>(sid[i]);
    std::wstring text = L"S-1-";
    if (authority >= 0x100000000ull) {
        // Large authorities are written in hexadecimal, as the system does.
        static constexpr wchar_t digits[] = L"0123456789ABCDEF";
        text += L"0x";
        for (int shift = 44; shift >= 0; shift -= 4) text += digits[(authority >> shift) & 0xF];
    } else {
        text += std::to_wstring(authority);
    }
    for (std::size_t at = 8; at < *length; at += 4) text += L'-' + std::to_wstring(read_le32(sid, at));
    return text;
}

std::optional<sid_bytes> builtin_sid(sid_kind kind) {
    switch (kind) {
        case sid_kind::everyone:
            return make_sid(1, {0});
        case sid_kind::administrators:
            return make_sid(5, {32, 544});
        case sid_kind::users:
            return make_sid(5, {32, 545});
        case sid_kind::authenticated_users:
            return make_sid(5, {11});
        case sid_kind::current_user_name:
        case sid_kind::token_user:
            break;
    }
    return std::nullopt;
}

well_known_sid::well_known_sid(sid_kind kind) : kind_(kind) {
    auto sid = builtin_sid(kind);
    if (!sid) throw hresult_error(os::hr::e_invalidarg);
    bytes_ = std::move(*sid);
}

well_known_sid::well_known_sid(sid_kind kind, os::security& system) : kind_(kind) {
    if (auto sid = builtin_sid(kind)) {
        bytes_ = std::move(*sid);
        return;
    }
    if (kind != sid_kind::current_user_name && kind != sid_kind::token_user) throw hresult_error(os::hr::e_invalidarg);
    sid_bytes sid;
    const os::hresult result =
        kind == sid_kind::current_user_name ? system.current_user_sid(sid) : system.token_user_sid(sid);
    if (result != os::hr::ok) throw hresult_error(result);
    // A port that answers something other than one whole SID is as good as a failed call.
    if (sid_length(sid) != sid.size()) throw hresult_error(os::hr::e_unexpected);
    bytes_ = std::move(sid);
}

}  // namespace vd::security
