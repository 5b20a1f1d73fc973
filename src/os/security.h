// The security port: the Windows security calls the support library cannot do on bytes alone --
// reading and writing a file's DACL, asking the token about group membership and privileges, and
// the SIDs of the user.
//
// Descriptors cross the port as self-relative security descriptors, SIDs as their bytes.  Every
// operation answers an HRESULT: 0 on success, E_UNEXPECTED when the system library cannot be loaded,
// E_NOTIMPL when it lacks the function, a Win32 error in HRESULT form otherwise.  On failure the out
// parameters are left as they were and nothing on the machine has changed.
#pragma once

#include "os/win_error.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace os {

using hresult = std::int32_t;

// GENERIC_MAPPING: what the generic read/write/execute/all bits of an access mask stand for.
struct generic_mapping {
    std::uint32_t read = 0;
    std::uint32_t write = 0;
    std::uint32_t execute = 0;
    std::uint32_t all = 0;
};

class security {
public:
    virtual ~security() = default;

    // GetFileSecurityW(path, DACL_SECURITY_INFORMATION): the descriptor of a file or folder.
    [[nodiscard]] virtual hresult read_file_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) = 0;
    // GetFileSecurityW(path, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION): the owner and the DACL
    // of a file or folder, which together say who may change it.
    [[nodiscard]] virtual hresult read_file_owner_and_dacl(std::wstring_view path,
                                                           std::vector<std::byte>& descriptor) = 0;
    // SetFileSecurityW(path, DACL_SECURITY_INFORMATION, descriptor).  On failure the file's security is unchanged.
    [[nodiscard]] virtual hresult write_file_dacl(std::wstring_view path, std::span<const std::byte> descriptor) = 0;

    // CheckTokenMembership with a null token: the thread's impersonation token, else the process token.
    [[nodiscard]] virtual hresult check_membership(std::span<const std::byte> sid, bool& member) = 0;
    // ImpersonateSelf(SecurityImpersonation), the thread token for TOKEN_QUERY (the process token when the
    // thread has none), AccessCheck(descriptor, token, desired, mapping), RevertToSelf.  `granted` is the
    // access status.  Impersonation always ends before the call returns.
    [[nodiscard]] virtual hresult access_check(std::span<const std::byte> descriptor, std::uint32_t desired,
                                               const generic_mapping& mapping, bool& granted) = 0;

    // OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY), LookupPrivilegeValueW, then
    // AdjustTokenPrivileges twice: once to learn the privilege's attributes, once to set or clear
    // SE_PRIVILEGE_ENABLED in them.  ERROR_NOT_ALL_ASSIGNED (a privilege the token does not hold) is a
    // failure.  The token is closed before the call returns.
    [[nodiscard]] virtual hresult set_privilege(std::wstring_view name, bool enable) = 0;

    // GetUserNameExW(NameSamCompatible) and LookupAccountNameW; E_UNEXPECTED when the name is not a user's.
    [[nodiscard]] virtual hresult current_user_sid(std::vector<std::byte>& sid) = 0;
    // TokenUser of the thread token (opened as self), else of the process token.
    [[nodiscard]] virtual hresult token_user_sid(std::vector<std::byte>& sid) = 0;
};

}  // namespace os
