// Win32-only: the security port over advapi32 (and secur32 for the user's account name), whose
// functions are looked up by name on first use and kept for the life of the process.
#include "os/win32/security_win32.h"
#include "os/win32/modules_win32.h"
#include "os/win32/unique_handle.h"
#include "vd/hresult_error.h"
#include "vd/security_descriptor.h"
#include "vd/security_functions.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <string>

namespace os {

namespace {

using vd::details::call_checked;
using vd::details::call_or;
using vd::details::call_size_query;
using vd::details::entry_point_table;
using win32::unique_handle;

class system_module_loader final : public vd::details::module_loader {
public:
    vd::details::module_handle get_module_handle(std::wstring_view name) override {
        return reinterpret_cast<vd::details::module_handle>(GetModuleHandleW(std::wstring(name).c_str()));
    }
    vd::details::module_handle load_library(std::wstring_view name, std::uint32_t flags) override {
        return reinterpret_cast<vd::details::module_handle>(win32::load_library_restricted(name, flags));
    }
    vd::details::proc_address get_proc_address(vd::details::module_handle module, const char* name) override {
        return reinterpret_cast<vd::details::proc_address>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
    }
    std::uint32_t last_error() override { return GetLastError(); }
    void set_last_error(std::uint32_t error) override { SetLastError(error); }
};

// advapi32's functions, in the order of their slots.
enum advapi32_slot : std::size_t {
    open_process_token,
    open_thread_token,
    get_token_information,
    lookup_privilege_value,
    adjust_token_privileges,
    copy_sid,
    is_valid_sid,
    get_length_sid,
    lookup_account_name,
    check_token_membership,
    access_check_slot,
    get_file_security,
    set_file_security,
    impersonate_self,
    revert_to_self,
};
constexpr const char* advapi32_exports[] = {
    "OpenProcessToken", "OpenThreadToken",  "GetTokenInformation", "LookupPrivilegeValueW", "AdjustTokenPrivileges",
    "CopySid",          "IsValidSid",       "GetLengthSid",        "LookupAccountNameW",    "CheckTokenMembership",
    "AccessCheck",      "GetFileSecurityW", "SetFileSecurityW",    "ImpersonateSelf",       "RevertToSelf",
};

enum secur32_slot : std::size_t { get_user_name_ex };
constexpr const char* secur32_exports[] = {"GetUserNameExW"};
constexpr int name_sam_compatible = 2;  // EXTENDED_NAME_FORMAT NameSamCompatible
using get_user_name_ex_function = BOOLEAN WINAPI(int, LPWSTR, PULONG);

// The process-wide tables: filled on demand, never cleared; the modules are never unloaded.
struct bound_libraries {
    system_module_loader loader;
    entry_point_table advapi32{loader, L"advapi32.dll", advapi32_exports};
    entry_point_table secur32{loader, L"secur32.dll", secur32_exports};
};

bound_libraries& libraries() {
    static bound_libraries instance;
    return instance;
}

entry_point_table& advapi32() { return libraries().advapi32; }

[[noreturn]] void throw_last_error() {
    advapi32().check(0);
    throw vd::hresult_error(hr::e_fail);
}

// OpenThreadToken, or the process token when the thread is not impersonating (ERROR_NO_TOKEN).
unique_handle open_effective_token(DWORD access, bool open_as_self) {
    unique_handle token;
    auto* open_thread = advapi32().function<decltype(::OpenThreadToken)>(open_thread_token);
    if (open_thread(GetCurrentThread(), access, open_as_self ? TRUE : FALSE, token.put())) return token;
    if (GetLastError() != errc::no_token) throw_last_error();
    call_checked<decltype(::OpenProcessToken)>(advapi32(), open_process_token, GetCurrentProcess(), access,
                                               token.put());
    return token;
}

// GetLengthSid after IsValidSid: E_INVALIDARG for a null or invalid SID.
DWORD checked_sid_length(PSID sid) {
    if (sid == nullptr || !vd::details::call_answer<decltype(::IsValidSid)>(advapi32(), is_valid_sid, sid)) {
        throw vd::hresult_error(hr::e_invalidarg);
    }
    return advapi32().function<decltype(::GetLengthSid)>(get_length_sid)(sid);
}

std::vector<std::byte> copy_of_sid(PSID sid) {
    const DWORD length = checked_sid_length(sid);
    std::vector<std::byte> copy(length);
    call_checked<decltype(::CopySid)>(advapi32(), copy_sid, length, copy.data(), sid);
    return copy;
}

// AdjustTokenPrivileges succeeds only when it says so and also leaves no error (ERROR_NOT_ALL_ASSIGNED
// comes with TRUE).
void adjust_privileges(HANDLE token, TOKEN_PRIVILEGES* state, DWORD length, TOKEN_PRIVILEGES* previous,
                       DWORD* previous_length) {
    auto* adjust = advapi32().function<decltype(::AdjustTokenPrivileges)>(adjust_token_privileges);
    SetLastError(ERROR_SUCCESS);
    const BOOL done = adjust(token, FALSE, state, length, previous, previous_length);
    const DWORD error = GetLastError();
    if (!done || error != ERROR_SUCCESS) throw vd::hresult_error(error == 0 ? hr::e_fail : hr::from_win32(error));
}

// Runs `body`, turning what the thin wrappers throw into the port's answer.
template <class Body>
hresult answer(Body&& body) noexcept {
    try {
        body();
        return hr::ok;
    } catch (const vd::hresult_error& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return hr::e_outofmemory;
    } catch (...) {
        return hr::e_unexpected;
    }
}

// GetFileSecurityW for the parts `information` names: a size query, then the descriptor itself.
hresult read_file_security(std::wstring_view path, SECURITY_INFORMATION information,
                           std::vector<std::byte>& descriptor) {
    return answer([&] {
        const std::wstring name(path);
        auto* get = advapi32().function<decltype(::GetFileSecurityW)>(get_file_security);
        DWORD needed = 0;
        if (!get(name.c_str(), information, nullptr, 0, &needed) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            throw_last_error();
        }
        std::vector<std::byte> buffer(needed);
        call_checked<decltype(::GetFileSecurityW)>(advapi32(), get_file_security, name.c_str(), information,
                                                   buffer.data(), needed, &needed);
        descriptor = std::move(buffer);
    });
}

class security_adapter final : public security {
public:
    hresult read_file_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) override {
        return read_file_security(path, DACL_SECURITY_INFORMATION, descriptor);
    }

    hresult read_file_owner_and_dacl(std::wstring_view path, std::vector<std::byte>& descriptor) override {
        return read_file_security(path, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, descriptor);
    }

    hresult write_file_dacl(std::wstring_view path, std::span<const std::byte> descriptor) override {
        // The system trusts the offsets inside a descriptor; bytes whose offsets point outside
        // them never reach it (Wine, for one, would read past the buffer and may accept them).
        vd::security::descriptor_dacl parsed;
        if (const hresult invalid = vd::security::read_descriptor_dacl(descriptor, parsed)) return invalid;
        return answer([&] {
            const std::wstring name(path);
            // A copy of our own: the system wants the descriptor aligned and writable.
            std::vector<std::byte> copy(descriptor.begin(), descriptor.end());
            call_checked<decltype(::SetFileSecurityW)>(advapi32(), set_file_security, name.c_str(),
                                                       DACL_SECURITY_INFORMATION, copy.data());
        });
    }

    hresult check_membership(std::span<const std::byte> sid, bool& member) override {
        return answer([&] {
            std::vector<std::byte> copy(sid.begin(), sid.end());
            BOOL is_member = FALSE;
            call_checked<decltype(::CheckTokenMembership)>(advapi32(), check_token_membership, nullptr, copy.data(),
                                                           &is_member);
            member = is_member != FALSE;
        });
    }

    hresult access_check(std::span<const std::byte> descriptor, std::uint32_t desired, const generic_mapping& mapping,
                         bool& granted) override {
        return answer([&] {
            std::vector<std::byte> copy(descriptor.begin(), descriptor.end());
            call_checked<decltype(::ImpersonateSelf)>(advapi32(), impersonate_self, SecurityImpersonation);
            // Impersonation ends however the check goes.
            struct revert_on_exit {
                ~revert_on_exit() {
                    (void)call_or<decltype(::RevertToSelf), BOOL>(advapi32(), revert_to_self, FALSE,
                                                                  ERROR_CALL_NOT_IMPLEMENTED);
                }
            } revert;
            const unique_handle token = open_effective_token(TOKEN_QUERY, false);
            GENERIC_MAPPING generic{mapping.read, mapping.write, mapping.execute, mapping.all};
            PRIVILEGE_SET privileges{};
            DWORD privileges_length = sizeof privileges;
            DWORD granted_access = 0;
            BOOL status = FALSE;
            call_checked<decltype(::AccessCheck)>(advapi32(), access_check_slot, copy.data(), token.get(), desired,
                                                  &generic, &privileges, &privileges_length, &granted_access, &status);
            granted = status != FALSE;
        });
    }

    hresult set_privilege(std::wstring_view name, bool enable) override {
        return answer([&] {
            unique_handle token;
            call_checked<decltype(::OpenProcessToken)>(advapi32(), open_process_token, GetCurrentProcess(),
                                                       TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put());
            const std::wstring privilege(name);
            LUID luid{};
            call_checked<decltype(::LookupPrivilegeValueW)>(advapi32(), lookup_privilege_value, nullptr,
                                                            privilege.c_str(), &luid);
            // First pass: learn the privilege's attributes (the call reports them as its previous state).
            TOKEN_PRIVILEGES query{};
            query.PrivilegeCount = 1;
            query.Privileges[0].Luid = luid;
            TOKEN_PRIVILEGES previous{};
            DWORD previous_length = sizeof previous;
            adjust_privileges(token.get(), &query, sizeof query, &previous, &previous_length);
            const TOKEN_PRIVILEGES before = previous;
            // Second pass: the same attributes with the enabled bit set or cleared.
            previous.PrivilegeCount = 1;
            previous.Privileges[0].Luid = luid;
            if (enable) {
                previous.Privileges[0].Attributes |= SE_PRIVILEGE_ENABLED;
            } else {
                previous.Privileges[0].Attributes &= ~static_cast<DWORD>(SE_PRIVILEGE_ENABLED);
            }
            try {
                adjust_privileges(token.get(), &previous, previous_length, nullptr, nullptr);
            } catch (const vd::hresult_error&) {
                // The first pass changed the privilege's state; put it back before reporting.
                if (before.PrivilegeCount != 0) {
                    TOKEN_PRIVILEGES restore = before;
                    auto* adjust = advapi32().function<decltype(::AdjustTokenPrivileges)>(adjust_token_privileges);
                    (void)adjust(token.get(), FALSE, &restore, sizeof restore, nullptr, nullptr);
                }
                throw;
            }
        });
    }

    hresult current_user_sid(std::vector<std::byte>& sid) override {
        return answer([&] {
            auto* get_name = libraries().secur32.function<get_user_name_ex_function>(get_user_name_ex);
            std::wstring account(256, L'\0');
            ULONG length = static_cast<ULONG>(account.size());
            if (!get_name(name_sam_compatible, account.data(), &length)) {
                if (GetLastError() != ERROR_MORE_DATA) throw_last_error();
                account.assign(length, L'\0');
                if (!get_name(name_sam_compatible, account.data(), &length)) throw_last_error();
            }
            account.resize(length);
            DWORD sid_size = 0;
            DWORD domain_size = 0;
            SID_NAME_USE use = SidTypeUnknown;
            call_size_query<decltype(::LookupAccountNameW)>(advapi32(), lookup_account_name, nullptr, account.c_str(),
                                                            nullptr, &sid_size, nullptr, &domain_size, &use);
            std::vector<std::byte> buffer(sid_size);
            std::wstring domain(domain_size + 1, L'\0');
            call_checked<decltype(::LookupAccountNameW)>(advapi32(), lookup_account_name, nullptr, account.c_str(),
                                                         buffer.data(), &sid_size, domain.data(), &domain_size, &use);
            if (use != SidTypeUser) throw vd::hresult_error(hr::e_unexpected);
            sid = copy_of_sid(buffer.data());
        });
    }

    hresult token_user_sid(std::vector<std::byte>& sid) override {
        return answer([&] {
            const unique_handle token = open_effective_token(TOKEN_QUERY, true);
            DWORD size = 0;
            call_size_query<decltype(::GetTokenInformation)>(advapi32(), get_token_information, token.get(), TokenUser,
                                                             nullptr, 0, &size);
            // TOKEN_USER holds a pointer: the buffer must be aligned for it.
            std::vector<std::uintptr_t> buffer(size / sizeof(std::uintptr_t) + 1);
            call_checked<decltype(::GetTokenInformation)>(advapi32(), get_token_information, token.get(), TokenUser,
                                                          buffer.data(), size, &size);
            const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
            sid = copy_of_sid(user->User.Sid);
        });
    }
};

}  // namespace

std::unique_ptr<security> win32::make_system_security() { return std::make_unique<security_adapter>(); }

}  // namespace os
