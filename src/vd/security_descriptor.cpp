// Security descriptors as bytes.
#include "vd/security_descriptor.h"

#include "vd/byte_order.h"
#include "vd/security_error.h"
#include "vd/sid.h"

#include <algorithm>

namespace vd::security {

namespace {

constexpr std::size_t owner_field = 4;
constexpr std::size_t group_field = 8;
constexpr std::size_t dacl_field = 16;

// The bytes of a SID, checked, as a copy the descriptor keeps.
std::vector<std::byte> checked_sid(std::span<const std::byte> sid) {
    const auto length = sid_length(sid);
    if (!length) throw_win32(os::errc::invalid_sid);
    return {sid.begin(), sid.begin() + static_cast<std::ptrdiff_t>(*length)};
}

}  // namespace

os::hresult read_descriptor_dacl(std::span<const std::byte> descriptor, descriptor_dacl& result) {
    const os::hresult bad_descriptor = os::hr::from_win32(os::errc::invalid_security_descriptor);
    if (descriptor.size() < security_descriptor_header_size) return bad_descriptor;
    if (std::to_integer<std::uint8_t>(descriptor[0]) != security_descriptor_revision) return bad_descriptor;
    const std::uint16_t control = read_le16(descriptor, 2);
    // An absolute descriptor holds pointers, which mean nothing in bytes read from elsewhere.
    if ((control & se_control::self_relative) == 0) return bad_descriptor;

    descriptor_dacl read;
    read.control = control;
    const std::uint32_t offset = read_le32(descriptor, dacl_field);
    if ((control & se_control::dacl_present) != 0 && offset != 0) {
        if (offset < security_descriptor_header_size || offset >= descriptor.size()) return bad_descriptor;
        read.dacl = parse_acl(descriptor.subspan(offset));
        if (!read.dacl) return os::hr::from_win32(os::errc::invalid_acl);
    }
    result = std::move(read);
    return os::hr::ok;
}

void security_descriptor::set_dacl(std::span<const std::byte> acl) {
    const auto parsed = parse_acl(acl);
    if (!parsed) throw_win32(os::errc::invalid_acl);
    dacl_.assign(acl.begin(), acl.begin() + static_cast<std::ptrdiff_t>(parsed->size));
    dacl_present_ = true;
}

void security_descriptor::set_owner(std::span<const std::byte> sid) { owner_ = checked_sid(sid); }

void security_descriptor::set_group(std::span<const std::byte> sid) { group_ = checked_sid(sid); }

void security_descriptor::set_control(std::uint16_t mask, std::uint16_t bits) {
    if ((mask & ~se_control::settable) != 0 || (bits & ~se_control::settable) != 0) {
        throw_win32(os::errc::invalid_parameter);
    }
    control_ = static_cast<std::uint16_t>((control_ & ~mask) | (bits & mask));
}

std::uint16_t security_descriptor::control() const noexcept {
    std::uint16_t control = control_;
    if (dacl_present_) control |= se_control::dacl_present;
    return control;
}

bool security_descriptor::is_valid() const {
    if (!owner_.empty() && sid_length(owner_) != owner_.size()) return false;
    if (!group_.empty() && sid_length(group_) != group_.size()) return false;
    if (dacl_present_) {
        const auto parsed = parse_acl(dacl_);
        if (!parsed || parsed->size != dacl_.size()) return false;
    }
    return true;
}

std::vector<std::byte> security_descriptor::self_relative() const {
    std::vector<std::byte> bytes(security_descriptor_header_size);
    // Sized once: the parts are appended without reallocation.
    bytes.reserve(security_descriptor_header_size + owner_.size() + group_.size() + (dacl_present_ ? dacl_.size() : 0));
    bytes[0] = std::byte{security_descriptor_revision};
    write_le16(bytes, 2, static_cast<std::uint16_t>(control() | se_control::self_relative));
    const auto append = [&bytes](std::size_t field, const std::vector<std::byte>& part) {
        write_le32(bytes, field, static_cast<std::uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), part.begin(), part.end());
    };
    if (!owner_.empty()) append(owner_field, owner_);
    if (!group_.empty()) append(group_field, group_);
    if (dacl_present_) append(dacl_field, dacl_);
    return bytes;
}

std::vector<std::byte> single_ace_descriptor(std::span<const std::byte> sid, std::uint32_t mask) {
    const single_ace_acl acl(sid, mask);
    security_descriptor descriptor;
    descriptor.set_dacl(acl.bytes());
    return descriptor.self_relative();
}

}  // namespace vd::security
