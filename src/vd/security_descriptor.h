// Security descriptors as bytes, always in the self-relative form (a 20-byte header whose owner,
// group, SACL and DACL fields are offsets from its start), which GetFileSecurityW returns and which
// SetFileSecurityW, CreateMutexW and AccessCheck accept: the reader of a descriptor's DACL, the owner
// `security_descriptor` that builds one, and the one-entry descriptor of the named kernel objects.
#pragma once

#include "os/security.h"
#include "vd/acl.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vd::security {

inline constexpr std::uint8_t security_descriptor_revision = 1;
inline constexpr std::size_t security_descriptor_header_size = 20;

// SECURITY_DESCRIPTOR_CONTROL bits.
namespace se_control {
inline constexpr std::uint16_t dacl_present = 0x0004;
inline constexpr std::uint16_t dacl_defaulted = 0x0008;
inline constexpr std::uint16_t sacl_present = 0x0010;
inline constexpr std::uint16_t dacl_auto_inherit_req = 0x0100;
inline constexpr std::uint16_t sacl_auto_inherit_req = 0x0200;
inline constexpr std::uint16_t dacl_auto_inherited = 0x0400;
inline constexpr std::uint16_t sacl_auto_inherited = 0x0800;
inline constexpr std::uint16_t dacl_protected = 0x1000;
inline constexpr std::uint16_t sacl_protected = 0x2000;
inline constexpr std::uint16_t self_relative = 0x8000;
// The bits SetSecurityDescriptorControl may change.
inline constexpr std::uint16_t settable = dacl_auto_inherit_req | sacl_auto_inherit_req | dacl_auto_inherited |
                                          sacl_auto_inherited | dacl_protected | sacl_protected;
}  // namespace se_control

// What GetSecurityDescriptorControl and GetSecurityDescriptorDacl tell about a descriptor.
struct descriptor_dacl {
    std::uint16_t control = 0;
    // The DACL when the descriptor has one; nothing for an absent DACL and for a null DACL (present
    // flag with offset 0), which both let everyone in.
    std::optional<acl_view> dacl;
};

// Reads the control word and DACL of a self-relative descriptor.  Answers 0, or the HRESULT of
// ERROR_INVALID_SECURITY_DESCR (too short, wrong revision, not self-relative, a DACL offset outside the
// bytes) or ERROR_INVALID_ACL (a DACL that parse_acl refuses); `result` is unchanged on failure.
// Never reads past `descriptor`.
[[nodiscard]] os::hresult read_descriptor_dacl(std::span<const std::byte> descriptor, descriptor_dacl& result);

// A descriptor under construction: revision 1, no owner, group or DACL until they are set.  The
// setters throw hresult_error and leave the descriptor as it was on failure.
class security_descriptor {
public:
    security_descriptor() = default;

    // SetSecurityDescriptorDacl(present, not defaulted).  ERROR_INVALID_ACL when `acl` is not one.
    void set_dacl(std::span<const std::byte> acl);
    // SetSecurityDescriptorOwner / SetSecurityDescriptorGroup (not defaulted).  ERROR_INVALID_SID.
    void set_owner(std::span<const std::byte> sid);
    void set_group(std::span<const std::byte> sid);
    // SetSecurityDescriptorControl: the bits of `mask` take their values from `bits`.  Only the
    // inheritance bits may be changed (E_INVALIDARG otherwise).
    void set_control(std::uint16_t mask, std::uint16_t bits);

    [[nodiscard]] std::uint16_t control() const noexcept;
    // IsValidSecurityDescriptor: every part that is set is well formed.
    [[nodiscard]] bool is_valid() const;
    // The descriptor as self-relative bytes: header, owner, group, then the DACL.
    [[nodiscard]] std::vector<std::byte> self_relative() const;

private:
    std::uint16_t control_ = 0;
    std::vector<std::byte> owner_;
    std::vector<std::byte> group_;
    std::vector<std::byte> dacl_;
    bool dacl_present_ = false;
};

// A self-relative descriptor whose DACL grants `mask` to `sid` and nothing to anyone else, for the
// named mutex and semaphore (everyone with MUTEX_ALL_ACCESS or SEMAPHORE_ALL_ACCESS).  Throws
// hresult_error (ERROR_INVALID_SID) for an invalid SID.
[[nodiscard]] std::vector<std::byte> single_ace_descriptor(std::span<const std::byte> sid, std::uint32_t mask);

}  // namespace vd::security
