// Native double of the registry port: an in-memory registry with the four predefined roots,
// case-insensitive key and value names, access rights per handle, keys deleted while open, the two
// privileges that hive save and restore need, and hive files written through the file-system port.
#pragma once

#include "os/file_system.h"
#include "os/registry.h"
#include "os/win_error.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace os::native {

class memory_registry final : public registry {
public:
    // Hive files are read and written through `files`, which must outlive the registry.
    explicit memory_registry(file_system& files);
    ~memory_registry() override;

    std::error_code open_key(registry_handle parent, std::wstring_view subkey, std::uint32_t access,
                             registry_handle& opened) override;
    std::error_code create_key(registry_handle parent, std::wstring_view subkey, std::uint32_t access,
                               registry_handle& opened, bool& already_existed) override;
    void close_key(registry_handle key) noexcept override;
    std::error_code query_value(registry_handle key, std::wstring_view name, std::uint32_t& type, std::byte* data,
                                std::uint32_t& size) override;
    std::error_code set_value(registry_handle key, std::wstring_view name, std::uint32_t type,
                              std::span<const std::byte> data) override;
    std::error_code delete_value(registry_handle key, std::wstring_view name) override;
    std::error_code delete_tree(registry_handle parent, std::wstring_view subkey) override;
    std::error_code subkey_names(registry_handle key, std::vector<std::wstring>& names) override;
    std::error_code value_names(registry_handle key, std::vector<std::wstring>& names) override;
    std::error_code save_key(registry_handle key, std::wstring_view file) override;
    std::error_code restore_key(registry_handle key, std::wstring_view file, std::uint32_t flags) override;

    // The process token's privileges as the double sees them; none is enabled at first.
    void set_privilege_enabled(std::wstring_view privilege, bool enabled);
    // Takes the enabled state of privileges from elsewhere (a security double) from now on.
    void use_privileges_of(std::function<bool(std::wstring_view privilege)> enabled) {
        privilege_source_ = std::move(enabled);
    }
    [[nodiscard]] bool privilege_enabled(std::wstring_view privilege) const;
    // Opening (or creating) the key at root\path, or anything below it, fails with `error` from now on.
    void deny_open(registry_handle root, std::wstring_view path, std::uint32_t error = errc::access_denied);
    // The next query_value fails with `error` (once), as a flaky or locked key would.
    void fail_next_query(std::uint32_t error) { next_query_error_ = error; }
    [[nodiscard]] std::size_t open_handles() const { return handles_.size(); }

    struct value {
        std::wstring name;
        std::uint32_t type = reg_type::none;
        std::vector<std::byte> data;
    };
    struct node {
        std::wstring name;
        std::vector<value> values;
        std::vector<std::shared_ptr<node>> children;
        std::uint32_t deny_error = 0;
        bool deleted = false;
    };
    // A copy of the tree at root\path for comparing states, or nothing when the key is missing.
    [[nodiscard]] std::optional<node> snapshot(registry_handle root, std::wstring_view path) const;

private:
    struct open_entry {
        std::shared_ptr<node> key;
        std::uint32_t access = 0;
    };
    std::error_code resolve(registry_handle handle, std::uint32_t needed, std::shared_ptr<node>& key) const;
    std::error_code walk(std::shared_ptr<node> from, std::wstring_view subkey, bool create,
                         std::shared_ptr<node>& found, bool& created);
    registry_handle add_handle(std::shared_ptr<node> key, std::uint32_t access);

    file_system& files_;
    std::map<registry_handle, std::shared_ptr<node>> roots_;
    std::map<registry_handle, open_entry> handles_;
    registry_handle next_handle_ = 0x1000;
    std::set<std::wstring> privileges_;
    std::function<bool(std::wstring_view)> privilege_source_;
    std::uint32_t next_query_error_ = 0;
};

// Equality of two snapshots: names (ignoring case), value types and bytes, subkeys, in any order.
[[nodiscard]] bool same_tree(const memory_registry::node& a, const memory_registry::node& b);

}  // namespace os::native
