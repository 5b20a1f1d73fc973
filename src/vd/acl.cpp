// Access-control lists as bytes.
#include "vd/acl.h"

#include "vd/byte_order.h"
#include "vd/security_error.h"
#include "vd/sid.h"

#include <algorithm>

namespace vd::security {

namespace {

enum class sid_place { none, after_mask, after_object_types };

// Where an entry kind keeps its trustee.  The object kinds put a flags word and up to two GUIDs
// between the mask and the SID; kinds unknown here are carried along without being looked into.
sid_place place_of_sid(std::uint8_t type) noexcept {
    switch (type) {
        case 0x00:  // ACCESS_ALLOWED
        case 0x01:  // ACCESS_DENIED
        case 0x02:  // SYSTEM_AUDIT
        case 0x03:  // SYSTEM_ALARM
        case 0x09:  // ACCESS_ALLOWED_CALLBACK
        case 0x0A:  // ACCESS_DENIED_CALLBACK
        case 0x0D:  // SYSTEM_AUDIT_CALLBACK
        case 0x0E:  // SYSTEM_ALARM_CALLBACK
        case 0x11:  // SYSTEM_MANDATORY_LABEL
        case 0x12:  // SYSTEM_RESOURCE_ATTRIBUTE
        case 0x13:  // SYSTEM_SCOPED_POLICY_ID
        case 0x14:  // SYSTEM_PROCESS_TRUST_LABEL
            return sid_place::after_mask;
        case 0x05:  // ACCESS_ALLOWED_OBJECT
        case 0x06:  // ACCESS_DENIED_OBJECT
        case 0x07:  // SYSTEM_AUDIT_OBJECT
        case 0x08:  // SYSTEM_ALARM_OBJECT
        case 0x0B:  // ACCESS_ALLOWED_CALLBACK_OBJECT
        case 0x0C:  // ACCESS_DENIED_CALLBACK_OBJECT
        case 0x0F:  // SYSTEM_AUDIT_CALLBACK_OBJECT
        case 0x10:  // SYSTEM_ALARM_CALLBACK_OBJECT
            return sid_place::after_object_types;
        default:
            return sid_place::none;
    }
}

// Fills mask and SID of an entry whose bytes are already bounded; false when they do not fit.
bool read_trustee(ace_view& ace) {
    const sid_place place = place_of_sid(ace.type);
    if (place == sid_place::none) return true;
    if (ace.bytes.size() < 8) return false;
    ace.mask = read_le32(ace.bytes, 4);
    std::size_t at = 8;
    if (place == sid_place::after_object_types) {
        if (ace.bytes.size() < 12) return false;
        const std::uint32_t object_flags = read_le32(ace.bytes, 8);
        at = 12 + (object_flags & 1 ? 16 : 0) + (object_flags & 2 ? 16 : 0);
        if (ace.bytes.size() < at) return false;
    }
    const auto rest = ace.bytes.subspan(at);
    const auto length = sid_length(rest);
    if (!length) return false;
    ace.sid = rest.first(*length);
    return true;
}

}  // namespace

std::optional<acl_view> parse_acl(std::span<const std::byte> bytes) {
    if (bytes.size() < acl_header_size) return std::nullopt;
    acl_view acl;
    acl.revision = std::to_integer<std::uint8_t>(bytes[0]);
    acl.size = read_le16(bytes, 2);
    const std::size_t count = read_le16(bytes, 4);
    if (acl.revision < acl_revision || acl.revision > acl_revision_ds) return std::nullopt;
    if (acl.size < acl_header_size || acl.size > bytes.size() || acl.size % 4 != 0) return std::nullopt;
    const auto body = bytes.first(acl.size);
    std::size_t at = acl_header_size;
    acl.entries.reserve(std::min(count, (acl.size - acl_header_size) / 4));
    for (std::size_t i = 0; i < count; ++i) {
        if (body.size() - at < 4) return std::nullopt;
        ace_view ace;
        ace.type = std::to_integer<std::uint8_t>(body[at]);
        ace.flags = std::to_integer<std::uint8_t>(body[at + 1]);
        const std::size_t ace_size = read_le16(body, at + 2);
        if (ace_size < 4 || ace_size % 4 != 0 || ace_size > body.size() - at) return std::nullopt;
        ace.bytes = body.subspan(at, ace_size);
        if (!read_trustee(ace)) return std::nullopt;
        acl.entries.push_back(ace);
        at += ace_size;
    }
    acl.bytes_in_use = at;
    return acl;
}

acl_writer::acl_writer(std::size_t size, std::uint8_t revision) {
    if (size < acl_header_size || size > max_acl_size || size % 4 != 0 || revision < acl_revision ||
        revision > acl_revision_ds) {
        throw_win32(os::errc::invalid_parameter);
    }
    acl_.assign(size, std::byte{0});
    acl_[0] = std::byte{revision};
    write_le16(acl_, 2, static_cast<std::uint16_t>(size));
}

void acl_writer::append(std::span<const std::byte> ace) {
    if (ace.size() > acl_.size() - used_) throw_win32(os::errc::allotted_space_exceeded);
    std::copy(ace.begin(), ace.end(), acl_.begin() + static_cast<std::ptrdiff_t>(used_));
    used_ += ace.size();
    write_le16(acl_, 4, ++count_);
}

void acl_writer::add_ace(std::span<const std::byte> ace) {
    // Only whole entries go in: the size field must describe exactly these bytes.
    if (ace.size() < 4 || ace.size() % 4 != 0 || read_le16(ace, 2) != ace.size()) throw_win32(os::errc::invalid_acl);
    append(ace);
}

void acl_writer::add_access_allowed_ace(std::uint32_t mask, std::span<const std::byte> sid, std::uint8_t flags) {
    if ((flags & ~ace_flag::valid_inherit_flags) != 0) throw_win32(os::errc::invalid_parameter);
    const auto length = sid_length(sid);
    if (!length) throw_win32(os::errc::invalid_sid);
    std::vector<std::byte> ace(8 + *length);
    ace[0] = std::byte{ace_type::access_allowed};
    ace[1] = std::byte{flags};
    write_le16(ace, 2, static_cast<std::uint16_t>(ace.size()));
    write_le32(ace, 4, mask);
    std::copy_n(sid.begin(), *length, ace.begin() + 8);
    append(ace);
}

single_ace_acl::single_ace_acl(std::span<const std::byte> sid, std::uint32_t mask) {
    const auto length = sid_length(sid);
    if (!length) throw_win32(os::errc::invalid_sid);
    acl_writer acl(*length + 16, acl_revision);
    acl.add_access_allowed_ace(mask, sid);
    acl_ = std::move(acl).take();
}

}  // namespace vd::security
