// SIDs as bytes: validation, comparison, text form, the well-known SIDs the program builds, and the
// owner `well_known_sid`.
//
// A SID is revision 1, a sub-authority count of at most 15, a 6-byte big-endian identifier authority
// and that many 32-bit little-endian sub-authorities: 8 + 4 * count bytes.
#pragma once

#include "os/security.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vd::security {

using sid_bytes = std::vector<std::byte>;

inline constexpr std::size_t max_sub_authorities = 15;
inline constexpr std::size_t max_sid_length = 8 + 4 * max_sub_authorities;

enum class sid_kind : std::uint8_t {
    everyone = 0,             // S-1-1-0
    administrators = 1,       // S-1-5-32-544
    users = 2,                // S-1-5-32-545
    authenticated_users = 3,  // S-1-5-11
    current_user_name = 4,    // the account GetUserNameExW names
    token_user = 5,           // the user of the thread's (else the process's) token
};

// The length of the valid SID at the start of `bytes` (IsValidSid and GetLengthSid in one), or nothing
// when the bytes do not start with a whole, valid SID.  Never reads past `bytes`.
[[nodiscard]] std::optional<std::size_t> sid_length(std::span<const std::byte> bytes) noexcept;

// EqualSid on two valid SIDs; false when either is not a valid SID.
[[nodiscard]] bool sid_equal(std::span<const std::byte> a, std::span<const std::byte> b) noexcept;

// ConvertSidToStringSidW: "S-1-5-32-545"; empty for bytes that are not a valid SID.
[[nodiscard]] std::wstring sid_to_string(std::span<const std::byte> sid);

// The SID of a kind that needs no system call (everyone, administrators, users, authenticated users);
// nothing for the two kinds that name the current user.
[[nodiscard]] std::optional<sid_bytes> builtin_sid(sid_kind kind);

// One SID of a given kind.  The constructors throw hresult_error on failure: E_INVALIDARG for a user
// kind without a security port, otherwise the port's error.
class well_known_sid {
public:
    explicit well_known_sid(sid_kind kind);
    well_known_sid(sid_kind kind, os::security& system);

    [[nodiscard]] sid_kind kind() const noexcept { return kind_; }
    [[nodiscard]] std::span<const std::byte> bytes() const noexcept { return bytes_; }
    [[nodiscard]] std::size_t length() const noexcept { return bytes_.size(); }

private:
    sid_kind kind_;
    sid_bytes bytes_;
};

}  // namespace vd::security
