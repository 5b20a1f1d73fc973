// Native double of the security port: a scriptable machine's security -- the descriptors of files and
// folders by path, the groups and privileges of the process token, the user's SID, and failures to
// inject -- for the native tests and for callers that grant access or switch privileges.
//
// Out of the box it is what Wine gives: an elevated administrator (member of Everyone, Users,
// Administrators and Authenticated Users) whose token holds SeBackupPrivilege, SeRestorePrivilege and a
// few others, all disabled.
#pragma once

#include "os/security.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace os::native {

enum class security_call : std::uint8_t {
    read_file_dacl,
    read_file_owner_and_dacl,
    write_file_dacl,
    check_membership,
    access_check,
    set_privilege,
    current_user_sid,
    token_user_sid,
};

class scripted_security final : public security {
public:
    scripted_security();

    [[nodiscard]] hresult read_file_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) override;
    // The stored descriptor as it is: the owner comes with it when the test stored one.
    [[nodiscard]] hresult read_file_owner_and_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) override;
    // Refuses (ERROR_INVALID_SECURITY_DESCR) bytes that are not a self-relative descriptor with a valid
    // DACL, as the system does; a path that has no descriptor and no default gives ERROR_FILE_NOT_FOUND.
    [[nodiscard]] hresult write_file_dacl(std::wstring_view path, std::span<const std::byte> descriptor) override;
    [[nodiscard]] hresult check_membership(std::span<const std::byte> sid, bool& member) override;
    // Evaluates the descriptor's DACL against the token's groups the way AccessCheck does: entries in
    // order, a deny entry for a bit still wanted refuses, allow entries add up; no DACL grants all.
    [[nodiscard]] hresult access_check(std::span<const std::byte> descriptor, std::uint32_t desired,
                                       const generic_mapping& mapping, bool& granted) override;
    // ERROR_NO_SUCH_PRIVILEGE (1313) for a name the system does not know, ERROR_NOT_ALL_ASSIGNED (1300)
    // for a privilege the token does not hold.
    [[nodiscard]] hresult set_privilege(std::wstring_view name, bool enable) override;
    [[nodiscard]] hresult current_user_sid(std::vector<std::byte>& sid) override;
    [[nodiscard]] hresult token_user_sid(std::vector<std::byte>& sid) override;

    // Files and folders (paths compare without regard to case, as on Windows).
    void set_file_descriptor(std::wstring_view path, std::vector<std::byte> descriptor);
    void remove_file(std::wstring_view path);
    // The descriptor stored for `path`, or null when it has none of its own.
    [[nodiscard]] const std::vector<std::byte>* file_descriptor(std::wstring_view path) const;
    // The descriptor any other path reads (what newly created files get), or none: such paths then
    // do not exist.  A write to such a path stores the written descriptor for it.
    void set_default_descriptor(std::optional<std::vector<std::byte>> descriptor);

    // The token.
    void set_group_member(std::span<const std::byte> sid, bool member);
    // Holds (or, with nothing, drops) a privilege in the given enabled state.
    void set_privilege_held(std::wstring_view name, std::optional<bool> enabled);
    // Nothing when the token does not hold the privilege; otherwise whether it is enabled.
    [[nodiscard]] std::optional<bool> privilege_enabled(std::wstring_view name) const;
    void set_user_sid(std::vector<std::byte> sid);

    // Every later call of that kind fails with `error` (an HRESULT) until cleared with 0.
    void fail(security_call call, hresult error);

private:
    [[nodiscard]] hresult injected(security_call call) const;
    [[nodiscard]] bool is_member(std::span<const std::byte> sid) const;

    std::map<std::wstring, std::vector<std::byte>> files_;
    std::optional<std::vector<std::byte>> default_descriptor_;
    std::vector<std::vector<std::byte>> groups_;
    std::map<std::wstring, bool> privileges_;
    std::vector<std::byte> user_sid_;
    std::map<security_call, hresult> failures_;
};

}  // namespace os::native
