// Win32-only: the registry port over advapi32's registry functions and SHDeleteKeyW.
#include "os/win32/registry_win32.h"
#include "os/win_error.h"

#include <windows.h>
#include <shlwapi.h>

namespace os {
namespace {

HKEY as_hkey(registry_handle h) { return reinterpret_cast<HKEY>(h); }

std::error_code status(LSTATUS s) { return win_error(static_cast<std::uint32_t>(s)); }

bool is_predefined(registry_handle h) { return h >= hkey::classes_root && h <= hkey::users; }

class system_registry final : public registry {
public:
    std::error_code open_key(registry_handle parent, std::wstring_view subkey, std::uint32_t access,
                             registry_handle& opened) override {
        HKEY key = nullptr;
        const std::wstring path(subkey);
        if (auto ec = status(RegOpenKeyExW(as_hkey(parent), path.c_str(), 0, access, &key))) return ec;
        opened = reinterpret_cast<registry_handle>(key);
        return {};
    }

    std::error_code create_key(registry_handle parent, std::wstring_view subkey, std::uint32_t access,
                               registry_handle& opened, bool& already_existed) override {
        HKEY key = nullptr;
        DWORD disposition = 0;
        const std::wstring path(subkey);
        if (auto ec = status(RegCreateKeyExW(as_hkey(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                             nullptr, &key, &disposition)))
            return ec;
        opened = reinterpret_cast<registry_handle>(key);
        already_existed = disposition == REG_OPENED_EXISTING_KEY;
        return {};
    }

    void close_key(registry_handle key) noexcept override {
        if (key != 0 && !is_predefined(key)) RegCloseKey(as_hkey(key));
    }

    std::error_code query_value(registry_handle key, std::wstring_view name, std::uint32_t& type, std::byte* data,
                                std::uint32_t& size) override {
        const std::wstring value(name);
        DWORD got_type = 0;
        DWORD got_size = size;
        const LSTATUS s =
            RegQueryValueExW(as_hkey(key), value.c_str(), nullptr, &got_type, reinterpret_cast<BYTE*>(data), &got_size);
        if (s == ERROR_MORE_DATA) size = got_size;
        if (s != ERROR_SUCCESS) return status(s);
        type = got_type;
        size = got_size;
        return {};
    }

    std::error_code set_value(registry_handle key, std::wstring_view name, std::uint32_t type,
                              std::span<const std::byte> data) override {
        const std::wstring value(name);
        return status(RegSetValueExW(as_hkey(key), value.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size())));
    }

    std::error_code delete_value(registry_handle key, std::wstring_view name) override {
        const std::wstring value(name);
        return status(RegDeleteValueW(as_hkey(key), value.c_str()));
    }

    std::error_code delete_tree(registry_handle parent, std::wstring_view subkey) override {
        const std::wstring path(subkey);
        return status(static_cast<LSTATUS>(SHDeleteKeyW(as_hkey(parent), path.c_str())));
    }

    std::error_code subkey_names(registry_handle key, std::vector<std::wstring>& names) override {
        std::vector<std::wstring> found;
        for (DWORD index = 0;; ++index) {
            wchar_t buffer[256];
            DWORD length = 256;
            const LSTATUS s = RegEnumKeyExW(as_hkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
            if (s == ERROR_NO_MORE_ITEMS) break;
            if (s != ERROR_SUCCESS) return status(s);
            found.emplace_back(buffer, length);
        }
        names = std::move(found);
        return {};
    }

    std::error_code value_names(registry_handle key, std::vector<std::wstring>& names) override {
        std::vector<std::wstring> found;
        std::wstring buffer(16384, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(buffer.size());
            const LSTATUS s =
                RegEnumValueW(as_hkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (s == ERROR_NO_MORE_ITEMS) break;
            if (s != ERROR_SUCCESS) return status(s);
            found.emplace_back(buffer.data(), length);
        }
        names = std::move(found);
        return {};
    }

    std::error_code save_key(registry_handle key, std::wstring_view file) override {
        const std::wstring path(file);
        return status(RegSaveKeyW(as_hkey(key), path.c_str(), nullptr));
    }

    std::error_code restore_key(registry_handle key, std::wstring_view file, std::uint32_t flags) override {
        const std::wstring path(file);
        return status(RegRestoreKeyW(as_hkey(key), path.c_str(), flags));
    }
};

}  // namespace

std::unique_ptr<registry> win32::make_system_registry() { return std::make_unique<system_registry>(); }

}  // namespace os
