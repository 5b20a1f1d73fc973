// Native double of the security port.
#include "os/native/security_double.h"

#include "os/win_error.h"

#include "vd/security_descriptor.h"
#include "vd/sid.h"
#include "vd/win_path.h"

#include <algorithm>
#include <array>

namespace os::native {

namespace {

// Privilege names and file paths compare without case, whatever the process locale.
using vd::path::folded;

// Privilege names as the system knows them; LookupPrivilegeValueW compares them without case.
constexpr std::array<std::wstring_view, 14> known_privileges = {
    L"SeCreateTokenPrivilege",  L"SeTcbPrivilege",         L"SeBackupPrivilege",     L"SeRestorePrivilege",
    L"SeShutdownPrivilege",     L"SeDebugPrivilege",       L"SeSecurityPrivilege",   L"SeTakeOwnershipPrivilege",
    L"SeChangeNotifyPrivilege", L"SeSystemtimePrivilege",  L"SeLoadDriverPrivilege", L"SeIncreaseQuotaPrivilege",
    L"SeCreateGlobalPrivilege", L"SeImpersonatePrivilege",
};

std::vector<std::byte> to_vector(std::span<const std::byte> bytes) { return {bytes.begin(), bytes.end()}; }

std::uint32_t mapped(std::uint32_t mask, const generic_mapping& mapping) {
    constexpr std::uint32_t generic_read = 0x80000000u, generic_write = 0x40000000u;
    constexpr std::uint32_t generic_execute = 0x20000000u, generic_all = 0x10000000u;
    std::uint32_t result = mask & ~(generic_read | generic_write | generic_execute | generic_all);
    if (mask & generic_read) result |= mapping.read;
    if (mask & generic_write) result |= mapping.write;
    if (mask & generic_execute) result |= mapping.execute;
    if (mask & generic_all) result |= mapping.all;
    return result;
}

}  // namespace

scripted_security::scripted_security() {
    using vd::security::sid_kind;
    for (sid_kind kind :
         {sid_kind::everyone, sid_kind::users, sid_kind::administrators, sid_kind::authenticated_users}) {
        groups_.push_back(*vd::security::builtin_sid(kind));
    }
    for (std::wstring_view name : {L"SeBackupPrivilege", L"SeRestorePrivilege", L"SeShutdownPrivilege",
                                   L"SeDebugPrivilege", L"SeSecurityPrivilege", L"SeTakeOwnershipPrivilege"}) {
        privileges_[folded(name)] = false;
    }
    privileges_[folded(L"SeChangeNotifyPrivilege")] = true;
    // S-1-5-21-1-2-3-1000: a local account.
    user_sid_ = {std::byte{1}, std::byte{5}, std::byte{0}, std::byte{0},
                 std::byte{0}, std::byte{0}, std::byte{0}, std::byte{5}};
    for (std::uint32_t value : {21u, 1u, 2u, 3u, 1000u}) {
        for (int shift = 0; shift < 32; shift += 8) user_sid_.push_back(static_cast<std::byte>(value >> shift));
    }
    groups_.push_back(user_sid_);
}

hresult scripted_security::injected(security_call call) const {
    const auto found = failures_.find(call);
    return found == failures_.end() ? hr::ok : found->second;
}

bool scripted_security::is_member(std::span<const std::byte> sid) const {
    return std::any_of(groups_.begin(), groups_.end(),
                       [sid](const std::vector<std::byte>& group) { return vd::security::sid_equal(group, sid); });
}

hresult scripted_security::read_file_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) {
    if (const hresult error = injected(security_call::read_file_dacl)) return error;
    if (const auto* stored = file_descriptor(path)) {
        descriptor = *stored;
        return hr::ok;
    }
    if (!default_descriptor_) return hr::from_win32(errc::file_not_found);
    descriptor = *default_descriptor_;
    return hr::ok;
}

hresult scripted_security::read_file_owner_and_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) {
    if (const hresult error = injected(security_call::read_file_owner_and_dacl)) return error;
    return read_file_dacl(path, descriptor);
}

hresult scripted_security::write_file_dacl(std::wstring_view path, std::span<const std::byte> descriptor) {
    if (const hresult error = injected(security_call::write_file_dacl)) return error;
    if (file_descriptor(path) == nullptr && !default_descriptor_) return hr::from_win32(errc::file_not_found);
    vd::security::descriptor_dacl read;
    if (vd::security::read_descriptor_dacl(descriptor, read) != hr::ok) {
        return hr::from_win32(errc::invalid_security_descriptor);
    }
    files_[folded(path)] = to_vector(descriptor);
    return hr::ok;
}

hresult scripted_security::check_membership(std::span<const std::byte> sid, bool& member) {
    if (const hresult error = injected(security_call::check_membership)) return error;
    if (!vd::security::sid_length(sid)) return hr::from_win32(errc::invalid_sid);
    member = is_member(sid);
    return hr::ok;
}

hresult scripted_security::access_check(std::span<const std::byte> descriptor, std::uint32_t desired,
                                        const generic_mapping& mapping, bool& granted) {
    if (const hresult error = injected(security_call::access_check)) return error;
    vd::security::descriptor_dacl read;
    if (vd::security::read_descriptor_dacl(descriptor, read) != hr::ok) {
        return hr::from_win32(errc::invalid_security_descriptor);
    }
    const std::uint32_t wanted = mapped(desired, mapping);
    if (!read.dacl) {
        granted = true;
        return hr::ok;
    }
    std::uint32_t allowed = 0;
    for (const auto& ace : read.dacl->entries) {
        if ((ace.flags & vd::security::ace_flag::inherit_only) != 0 || !is_member(ace.sid)) continue;
        const std::uint32_t mask = mapped(ace.mask, mapping);
        if (ace.type == vd::security::ace_type::access_denied && (mask & wanted & ~allowed) != 0) break;
        if (ace.type == vd::security::ace_type::access_allowed) allowed |= mask;
        if ((allowed & wanted) == wanted) break;
    }
    granted = wanted != 0 && (allowed & wanted) == wanted;
    return hr::ok;
}

hresult scripted_security::set_privilege(std::wstring_view name, bool enable) {
    if (const hresult error = injected(security_call::set_privilege)) return error;
    const std::wstring key = folded(name);
    const bool known = std::any_of(known_privileges.begin(), known_privileges.end(),
                                   [&key](std::wstring_view known_name) { return folded(known_name) == key; });
    if (!known) return hr::from_win32(errc::no_such_privilege);
    const auto held = privileges_.find(key);
    if (held == privileges_.end()) return hr::from_win32(errc::not_all_assigned);
    held->second = enable;
    return hr::ok;
}

hresult scripted_security::current_user_sid(std::vector<std::byte>& sid) {
    if (const hresult error = injected(security_call::current_user_sid)) return error;
    sid = user_sid_;
    return hr::ok;
}

hresult scripted_security::token_user_sid(std::vector<std::byte>& sid) {
    if (const hresult error = injected(security_call::token_user_sid)) return error;
    sid = user_sid_;
    return hr::ok;
}

void scripted_security::set_file_descriptor(std::wstring_view path, std::vector<std::byte> descriptor) {
    files_[folded(path)] = std::move(descriptor);
}

void scripted_security::remove_file(std::wstring_view path) { files_.erase(folded(path)); }

const std::vector<std::byte>* scripted_security::file_descriptor(std::wstring_view path) const {
    const auto found = files_.find(folded(path));
    return found == files_.end() ? nullptr : &found->second;
}

void scripted_security::set_default_descriptor(std::optional<std::vector<std::byte>> descriptor) {
    default_descriptor_ = std::move(descriptor);
}

void scripted_security::set_group_member(std::span<const std::byte> sid, bool member) {
    std::erase_if(groups_, [sid](const std::vector<std::byte>& group) { return vd::security::sid_equal(group, sid); });
    if (member) groups_.push_back(to_vector(sid));
}

void scripted_security::set_privilege_held(std::wstring_view name, std::optional<bool> enabled) {
    if (enabled) {
        privileges_[folded(name)] = *enabled;
    } else {
        privileges_.erase(folded(name));
    }
}

std::optional<bool> scripted_security::privilege_enabled(std::wstring_view name) const {
    const auto found = privileges_.find(folded(name));
    if (found == privileges_.end()) return std::nullopt;
    return found->second;
}

void scripted_security::set_user_sid(std::vector<std::byte> sid) {
    std::erase_if(groups_, [this](const std::vector<std::byte>& group) { return group == user_sid_; });
    user_sid_ = std::move(sid);
    groups_.push_back(user_sid_);
}

void scripted_security::fail(security_call call, hresult error) {
    if (error == hr::ok) {
        failures_.erase(call);
    } else {
        failures_[call] = error;
    }
}

}  // namespace os::native
