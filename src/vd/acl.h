// Access-control lists as bytes: a bounds-checked reader of an ACL and its entries, a writer that
// fills a fixed-size ACL the way InitializeAcl / AddAce / AddAccessAllowedAceEx do, and the owner
// `single_ace_acl`.
//
// An ACL is an 8-byte header (revision, 0, AclSize, AceCount, 0) followed by AceCount entries; an entry
// starts with type, flags and its own size, then (for the kinds that have them) an access mask and a SID.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vd::security {

inline constexpr std::uint8_t acl_revision = 2;     // ACL_REVISION
inline constexpr std::uint8_t acl_revision_ds = 4;  // ACL_REVISION_DS: the highest there is
inline constexpr std::size_t acl_header_size = 8;
inline constexpr std::size_t max_acl_size = 0xFFFC;  // AclSize is 16 bits and a multiple of 4

namespace ace_type {
inline constexpr std::uint8_t access_allowed = 0;
inline constexpr std::uint8_t access_denied = 1;
}  // namespace ace_type

namespace ace_flag {
inline constexpr std::uint8_t object_inherit = 0x01;
inline constexpr std::uint8_t container_inherit = 0x02;
inline constexpr std::uint8_t no_propagate_inherit = 0x04;
inline constexpr std::uint8_t inherit_only = 0x08;
inline constexpr std::uint8_t inherited = 0x10;
inline constexpr std::uint8_t valid_inherit_flags = 0x1F;  // what AddAccessAllowedAceEx accepts
}  // namespace ace_flag

// Access masks the program grants.
namespace access_mask {
inline constexpr std::uint32_t file_all_access = 0x1F01FF;
// FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE, without FILE_EXECUTE.
inline constexpr std::uint32_t file_read_write_delete = 0x13019F;
inline constexpr std::uint32_t mutex_all_access = 0x1F0001;
inline constexpr std::uint32_t semaphore_all_access = 0x1F0003;
}  // namespace access_mask

// One entry of a parsed ACL; the spans point into the parsed bytes.
struct ace_view {
    std::uint8_t type = 0;
    std::uint8_t flags = 0;
    std::span<const std::byte> bytes;  // the whole entry, AceSize bytes
    std::uint32_t mask = 0;            // 0 for kinds without a mask
    std::span<const std::byte> sid;    // the trustee; empty for kinds this reader does not know
};

struct acl_view {
    std::uint8_t revision = 0;
    std::size_t size = 0;          // AclSize
    std::size_t bytes_in_use = 0;  // header and entries, as GetAclInformation(AclSizeInformation) counts
    std::vector<ace_view> entries;
};

// Reads the ACL at the start of `bytes`.  Nothing when it is not a whole, valid ACL: revision not 2 to 4,
// AclSize below 8, past `bytes` or not a multiple of 4, an entry that does not fit in AclSize, an entry
// size that is not a multiple of 4, or a SID that is invalid or runs past its entry.  Never reads past
// `bytes`.
[[nodiscard]] std::optional<acl_view> parse_acl(std::span<const std::byte> bytes);

// Fills an ACL of a fixed size from the front.  The operations throw hresult_error and leave the ACL
// as it was on failure.
class acl_writer {
public:
    // InitializeAcl: a zero-filled ACL of `size` bytes (8 to 0xFFFC, a multiple of 4; E_INVALIDARG
    // otherwise).
    acl_writer(std::size_t size, std::uint8_t revision);

    // AddAce at the end: a copy of one whole entry.  ERROR_ALLOTTED_SPACE_EXCEEDED when it does not fit.
    void add_ace(std::span<const std::byte> ace);
    // AddAccessAllowedAceEx (AddAccessAllowedAce when `flags` is 0).  E_INVALIDARG for flags outside
    // the inheritance flags, ERROR_INVALID_SID for an invalid SID.
    void add_access_allowed_ace(std::uint32_t mask, std::span<const std::byte> sid, std::uint8_t flags = 0);

    [[nodiscard]] std::span<const std::byte> bytes() const noexcept { return acl_; }
    [[nodiscard]] std::vector<std::byte> take() && { return std::move(acl_); }

private:
    void append(std::span<const std::byte> ace);

    std::vector<std::byte> acl_;
    std::size_t used_ = acl_header_size;
    std::uint16_t count_ = 0;
};

// An ACL holding exactly one access-allowed entry (revision 2, no flags) for `sid` with `mask`:
// 16 + the SID's length bytes.  Throws hresult_error (ERROR_INVALID_SID) for an invalid SID.
class single_ace_acl {
public:
    single_ace_acl(std::span<const std::byte> sid, std::uint32_t mask);

    [[nodiscard]] std::span<const std::byte> bytes() const noexcept { return acl_; }

private:
    std::vector<std::byte> acl_;
};

}  // namespace vd::security
