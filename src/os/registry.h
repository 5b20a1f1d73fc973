// The registry port: keys, typed values, tree deletion and hive save/restore, as the Windows
// registry functions give them.
//
// Keys are opaque handles of the port; the predefined roots have the values Windows gives them
// (HKEY_LOCAL_MACHINE is 0x80000002).  Every operation returns a Windows error code
// (os::win_error): 2 when a key or value does not exist, 5 when the access of the handle does not
// allow the operation, 6 for a handle that is not open, 1018 for a key deleted while open,
// 1314 when a privilege is not held.  On error the out parameters are left as they were and the
// registry is unchanged.
#pragma once

#include "os/unique_port_handle.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace os {

using registry_handle = std::uintptr_t;

// The predefined keys (HKEY_*): negative 32-bit values widened with their sign, as the system
// defines them, so that a 64-bit build hands the system the handles it knows.
namespace hkey {
constexpr registry_handle predefined(std::int32_t value) {
    return static_cast<registry_handle>(static_cast<std::intptr_t>(value));
}
inline constexpr registry_handle classes_root = predefined(static_cast<std::int32_t>(0x80000000u));
inline constexpr registry_handle current_user = predefined(static_cast<std::int32_t>(0x80000001u));
inline constexpr registry_handle local_machine = predefined(static_cast<std::int32_t>(0x80000002u));
inline constexpr registry_handle users = predefined(static_cast<std::int32_t>(0x80000003u));
}  // namespace hkey

// REG_* value types.
namespace reg_type {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t sz = 1;
inline constexpr std::uint32_t expand_sz = 2;
inline constexpr std::uint32_t binary = 3;
inline constexpr std::uint32_t dword = 4;
inline constexpr std::uint32_t multi_sz = 7;
inline constexpr std::uint32_t qword = 11;
}  // namespace reg_type

// KEY_* access rights (REGSAM).
namespace key_access {
inline constexpr std::uint32_t query_value = 0x0001;
inline constexpr std::uint32_t set_value = 0x0002;
inline constexpr std::uint32_t create_sub_key = 0x0004;
inline constexpr std::uint32_t enumerate_sub_keys = 0x0008;
inline constexpr std::uint32_t read = 0x20019;
inline constexpr std::uint32_t write = 0x20006;
inline constexpr std::uint32_t all_access = 0xF003F;
inline constexpr std::uint32_t maximum_allowed = 0x02000000;
}  // namespace key_access

class registry {
public:
    virtual ~registry() = default;

    // RegOpenKeyExW.  An empty subkey opens a new handle to `parent` itself.
    [[nodiscard]] virtual std::error_code open_key(registry_handle parent, std::wstring_view subkey,
                                                   std::uint32_t access, registry_handle& opened) = 0;
    // RegCreateKeyExW: creates every missing key of the path; `already_existed` tells
    // REG_OPENED_EXISTING_KEY from REG_CREATED_NEW_KEY.
    [[nodiscard]] virtual std::error_code create_key(registry_handle parent, std::wstring_view subkey,
                                                     std::uint32_t access, registry_handle& opened,
                                                     bool& already_existed) = 0;
    // RegCloseKey.  Closing a predefined key or 0 does nothing.
    virtual void close_key(registry_handle key) noexcept = 0;

    // RegQueryValueExW.  With `data` null only `type` and `size` (bytes) are given.  With a buffer
    // of `size` bytes that is too small, the answer is 234 (ERROR_MORE_DATA) with `size` set to the
    // size needed and the buffer unchanged.  String data is given as stored: no null is added.
    [[nodiscard]] virtual std::error_code query_value(registry_handle key, std::wstring_view name, std::uint32_t& type,
                                                      std::byte* data, std::uint32_t& size) = 0;
    // RegSetValueExW: replaces the value's type and bytes.
    [[nodiscard]] virtual std::error_code set_value(registry_handle key, std::wstring_view name, std::uint32_t type,
                                                    std::span<const std::byte> data) = 0;
    // RegDeleteValueW.
    [[nodiscard]] virtual std::error_code delete_value(registry_handle key, std::wstring_view name) = 0;
    // SHDeleteKeyW: deletes the subkey with all its subkeys and values.
    [[nodiscard]] virtual std::error_code delete_tree(registry_handle parent, std::wstring_view subkey) = 0;
    // RegEnumKeyExW over all subkeys / RegEnumValueW over all value names, in the registry's order.
    [[nodiscard]] virtual std::error_code subkey_names(registry_handle key, std::vector<std::wstring>& names) = 0;
    [[nodiscard]] virtual std::error_code value_names(registry_handle key, std::vector<std::wstring>& names) = 0;

    // RegSaveKeyW (no security descriptor): writes the key with its values and subkeys to a new
    // hive file.  183 when the file exists, 1314 unless SeBackupPrivilege is enabled.  On error no
    // file is left only when none existed before; a partial file may remain (the caller deletes it).
    [[nodiscard]] virtual std::error_code save_key(registry_handle key, std::wstring_view file) = 0;
    // RegRestoreKeyW (flags 0): replaces the key's values and subkeys by those of a hive file.
    // 1314 unless SeRestorePrivilege is enabled.
    [[nodiscard]] virtual std::error_code restore_key(registry_handle key, std::wstring_view file,
                                                      std::uint32_t flags) = 0;
};

// An open key that is closed when this object ends (RegCloseKey).  Move-only.
using unique_key = unique_port_handle<registry, registry_handle, &registry::close_key>;

}  // namespace os
