// The in-memory registry of the native builds.
#include "os/native/registry_double.h"

#include "os/win_error.h"
#include "vd/byte_order.h"
#include "vd/utf16.h"
#include "vd/win_path.h"

#include <algorithm>

namespace os::native {
namespace {

constexpr char hive_magic[8] = {'L', 'G', 'K', 'H', 'I', 'V', 'E', '1'};
// Hive files of the double are small; anything bigger is not one of ours.
constexpr std::uint64_t max_hive_bytes = 64u * 1024u * 1024u;

// Key and value names compare as the registry compares them, whatever the process locale.
bool same_name(std::wstring_view a, std::wstring_view b) { return vd::path::equal_ignore_case(a, b); }

bool is_root(registry_handle h) { return h >= hkey::classes_root && h <= hkey::users; }

std::uint32_t granted(std::uint32_t access) {
    return (access & key_access::maximum_allowed) != 0 ? key_access::all_access : access;
}

// Splits "a\b\\c" into its non-empty elements.
std::vector<std::wstring_view> elements(std::wstring_view path) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find(L'\\', start), path.size());
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// --- hive files: UTF-16LE names, little-endian counts ---------------------------------------

void put_u32(std::vector<std::byte>& out, std::uint32_t v) { vd::append_le(out, v); }

void put_name(std::vector<std::byte>& out, const std::wstring& name) {
    put_u32(out, static_cast<std::uint32_t>(vd::utf16_length(name)));
    vd::append_utf16le(out, name);
}

void put_node(std::vector<std::byte>& out, const memory_registry::node& n) {
    put_u32(out, static_cast<std::uint32_t>(n.values.size()));
    for (const auto& v : n.values) {
        put_name(out, v.name);
        put_u32(out, v.type);
        put_u32(out, static_cast<std::uint32_t>(v.data.size()));
        out.insert(out.end(), v.data.begin(), v.data.end());
    }
    put_u32(out, static_cast<std::uint32_t>(n.children.size()));
    for (const auto& c : n.children) {
        put_name(out, c->name);
        put_node(out, *c);
    }
}

class hive_reader {
public:
    explicit hive_reader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    bool u32(std::uint32_t& v) {
        if (bytes_.size() - pos_ < 4) return false;
        v = vd::read_le32(bytes_, pos_);
        pos_ += 4;
        return true;
    }
    bool name(std::wstring& out) {
        std::uint32_t count = 0;
        if (!u32(count) || (bytes_.size() - pos_) / 2 < count) return false;
        out = vd::from_utf16(vd::utf16le_units(bytes_.subspan(pos_, std::size_t{count} * 2)));
        pos_ += std::size_t{count} * 2;
        return true;
    }
    bool node(memory_registry::node& n, int depth) {
        if (depth > 512) return false;
        std::uint32_t count = 0;
        if (!u32(count)) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            memory_registry::value v;
            std::uint32_t size = 0;
            if (!name(v.name) || !u32(v.type) || !u32(size) || bytes_.size() - pos_ < size) return false;
            v.data.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                          bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + size));
            pos_ += size;
            n.values.push_back(std::move(v));
        }
        if (!u32(count)) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            auto child = std::make_shared<memory_registry::node>();
            if (!name(child->name) || !node(*child, depth + 1)) return false;
            n.children.push_back(std::move(child));
        }
        return true;
    }
    [[nodiscard]] bool at_end() const { return pos_ == bytes_.size(); }
    bool magic() {
        if (bytes_.size() < sizeof hive_magic) return false;
        for (std::size_t i = 0; i < sizeof hive_magic; ++i)
            if (bytes_[i] != static_cast<std::byte>(hive_magic[i])) return false;
        pos_ = sizeof hive_magic;
        return true;
    }

private:
    std::span<const std::byte> bytes_;
    std::size_t pos_ = 0;
};

std::shared_ptr<memory_registry::node> deep_copy(const memory_registry::node& n) {
    auto copy = std::make_shared<memory_registry::node>();
    copy->name = n.name;
    copy->values = n.values;
    for (const auto& c : n.children) copy->children.push_back(deep_copy(*c));
    return copy;
}

void mark_deleted(memory_registry::node& n) {
    n.deleted = true;
    for (auto& c : n.children) mark_deleted(*c);
}

}  // namespace

memory_registry::memory_registry(file_system& files) : files_(files) {
    for (registry_handle root : {hkey::classes_root, hkey::current_user, hkey::local_machine, hkey::users})
        roots_[root] = std::make_shared<node>();
}

memory_registry::~memory_registry() = default;

std::error_code memory_registry::resolve(registry_handle handle, std::uint32_t needed,
                                         std::shared_ptr<node>& key) const {
    if (is_root(handle)) {
        key = roots_.at(handle);
        return {};
    }
    const auto it = handles_.find(handle);
    if (it == handles_.end()) return win_error(errc::invalid_handle);
    if (it->second.key->deleted) return win_error(errc::key_deleted);
    if ((it->second.access & needed) != needed) return win_error(errc::access_denied);
    key = it->second.key;
    return {};
}

std::error_code memory_registry::walk(std::shared_ptr<node> from, std::wstring_view subkey, bool create,
                                      std::shared_ptr<node>& found, bool& created) {
    created = false;
    // Find the deepest existing key first, so that a refused create leaves nothing behind.
    std::shared_ptr<node> current = std::move(from);
    const auto parts = elements(subkey);
    std::size_t i = 0;
    for (; i < parts.size(); ++i) {
        if (current->deny_error != 0) return win_error(current->deny_error);
        const auto it = std::find_if(current->children.begin(), current->children.end(),
                                     [&](const auto& c) { return same_name(c->name, parts[i]); });
        if (it == current->children.end()) break;
        current = *it;
    }
    if (current->deny_error != 0) return win_error(current->deny_error);
    if (i < parts.size()) {
        if (!create) return win_error(errc::file_not_found);
        for (; i < parts.size(); ++i) {
            auto child = std::make_shared<node>();
            child->name = std::wstring(parts[i]);
            current->children.push_back(child);
            current = std::move(child);
        }
        created = true;
    }
    found = std::move(current);
    return {};
}

registry_handle memory_registry::add_handle(std::shared_ptr<node> key, std::uint32_t access) {
    const registry_handle h = next_handle_;
    next_handle_ += 4;
    handles_[h] = open_entry{std::move(key), granted(access)};
    return h;
}

std::error_code memory_registry::open_key(registry_handle parent, std::wstring_view subkey, std::uint32_t access,
                                          registry_handle& opened) {
    std::shared_ptr<node> from;
    if (auto ec = resolve(parent, 0, from)) return ec;
    std::shared_ptr<node> found;
    bool created = false;
    if (auto ec = walk(from, subkey, false, found, created)) return ec;
    opened = add_handle(std::move(found), access);
    return {};
}

std::error_code memory_registry::create_key(registry_handle parent, std::wstring_view subkey, std::uint32_t access,
                                            registry_handle& opened, bool& already_existed) {
    std::shared_ptr<node> from;
    if (auto ec = resolve(parent, 0, from)) return ec;
    if (!is_root(parent) && (handles_.at(parent).access & key_access::create_sub_key) == 0 && !elements(subkey).empty())
        return win_error(errc::access_denied);
    std::shared_ptr<node> found;
    bool created = false;
    if (auto ec = walk(from, subkey, true, found, created)) return ec;
    opened = add_handle(std::move(found), access);
    already_existed = !created;
    return {};
}

void memory_registry::close_key(registry_handle key) noexcept { handles_.erase(key); }

std::error_code memory_registry::query_value(registry_handle key, std::wstring_view name, std::uint32_t& type,
                                             std::byte* data, std::uint32_t& size) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, key_access::query_value, k)) return ec;
    if (next_query_error_ != 0) return win_error(std::exchange(next_query_error_, 0));
    const auto it =
        std::find_if(k->values.begin(), k->values.end(), [&](const value& v) { return same_name(v.name, name); });
    if (it == k->values.end()) return win_error(errc::file_not_found);
    const auto needed = static_cast<std::uint32_t>(it->data.size());
    if (data != nullptr) {
        if (size < needed) {
            size = needed;
            return win_error(errc::more_data);
        }
        std::copy(it->data.begin(), it->data.end(), data);
    }
    type = it->type;
    size = needed;
    return {};
}

std::error_code memory_registry::set_value(registry_handle key, std::wstring_view name, std::uint32_t type,
                                           std::span<const std::byte> data) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, key_access::set_value, k)) return ec;
    auto it = std::find_if(k->values.begin(), k->values.end(), [&](const value& v) { return same_name(v.name, name); });
    if (it == k->values.end()) {
        k->values.push_back(value{std::wstring(name), type, {}});
        it = std::prev(k->values.end());
    }
    it->type = type;
    it->data.assign(data.begin(), data.end());
    return {};
}

std::error_code memory_registry::delete_value(registry_handle key, std::wstring_view name) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, key_access::set_value, k)) return ec;
    const auto it =
        std::find_if(k->values.begin(), k->values.end(), [&](const value& v) { return same_name(v.name, name); });
    if (it == k->values.end()) return win_error(errc::file_not_found);
    k->values.erase(it);
    return {};
}

std::error_code memory_registry::delete_tree(registry_handle parent, std::wstring_view subkey) {
    std::shared_ptr<node> from;
    if (auto ec = resolve(parent, 0, from)) return ec;
    const auto parts = elements(subkey);
    if (parts.empty()) return win_error(errc::invalid_parameter);
    std::shared_ptr<node> found;
    bool created = false;
    if (auto ec = walk(from, subkey.substr(0, subkey.rfind(parts.back())), false, found, created)) return ec;
    const auto it = std::find_if(found->children.begin(), found->children.end(),
                                 [&](const auto& c) { return same_name(c->name, parts.back()); });
    if (it == found->children.end()) return win_error(errc::file_not_found);
    if ((*it)->deny_error != 0) return win_error((*it)->deny_error);
    mark_deleted(**it);
    found->children.erase(it);
    return {};
}

std::error_code memory_registry::subkey_names(registry_handle key, std::vector<std::wstring>& names) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, key_access::enumerate_sub_keys, k)) return ec;
    names.clear();
    for (const auto& c : k->children) names.push_back(c->name);
    return {};
}

std::error_code memory_registry::value_names(registry_handle key, std::vector<std::wstring>& names) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, key_access::query_value, k)) return ec;
    names.clear();
    for (const auto& v : k->values) names.push_back(v.name);
    return {};
}

std::error_code memory_registry::save_key(registry_handle key, std::wstring_view file) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, 0, k)) return ec;
    if (!privilege_enabled(L"SeBackupPrivilege")) return win_error(errc::privilege_not_held);
    std::vector<std::byte> bytes(reinterpret_cast<const std::byte*>(hive_magic),
                                 reinterpret_cast<const std::byte*>(hive_magic) + sizeof hive_magic);
    put_node(bytes, *k);
    std::unique_ptr<os::file> out;
    if (auto ec = files_.open(file, file_access::write, file_disposition::create_new, file_share::none, out)) {
        return ec.value() == static_cast<int>(errc::file_exists) ? win_error(errc::already_exists) : ec;
    }
    if (auto ec = out->write(bytes)) return ec;
    return out->close();
}

std::error_code memory_registry::restore_key(registry_handle key, std::wstring_view file, std::uint32_t flags) {
    std::shared_ptr<node> k;
    if (auto ec = resolve(key, 0, k)) return ec;
    if (flags != 0) return win_error(errc::invalid_parameter);
    if (!privilege_enabled(L"SeRestorePrivilege")) return win_error(errc::privilege_not_held);
    std::unique_ptr<os::file> in;
    if (auto ec = files_.open(file, file_access::read, file_disposition::open_existing, file_share::read, in))
        return ec;
    std::uint64_t size = 0;
    if (auto ec = in->size(size)) return ec;
    if (size > max_hive_bytes) return win_error(errc::not_registry_file);
    std::vector<std::byte> bytes(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        std::size_t count = 0;
        if (auto ec = in->read(std::span(bytes).subspan(filled), count)) return ec;
        if (count == 0) break;
        filled += count;
    }
    bytes.resize(filled);
    node restored;
    hive_reader reader(bytes);
    if (!reader.magic() || !reader.node(restored, 0) || !reader.at_end()) return win_error(errc::not_registry_file);
    // Handles to the replaced subkeys now refer to deleted keys, as after a restore on Windows.
    for (auto& c : k->children) mark_deleted(*c);
    k->values = std::move(restored.values);
    k->children = std::move(restored.children);
    return {};
}

void memory_registry::set_privilege_enabled(std::wstring_view privilege, bool enabled) {
    if (enabled)
        privileges_.insert(std::wstring(privilege));
    else
        privileges_.erase(std::wstring(privilege));
}

bool memory_registry::privilege_enabled(std::wstring_view privilege) const {
    if (privilege_source_) return privilege_source_(privilege);
    return privileges_.contains(std::wstring(privilege));
}

void memory_registry::deny_open(registry_handle root, std::wstring_view path, std::uint32_t error) {
    std::shared_ptr<node> found;
    bool created = false;
    if (!walk(roots_.at(root), path, true, found, created)) found->deny_error = error;
}

std::optional<memory_registry::node> memory_registry::snapshot(registry_handle root, std::wstring_view path) const {
    std::shared_ptr<node> current = roots_.at(root);
    for (auto part : elements(path)) {
        const auto it = std::find_if(current->children.begin(), current->children.end(),
                                     [&](const auto& c) { return same_name(c->name, part); });
        if (it == current->children.end()) return std::nullopt;
        current = *it;
    }
    return *deep_copy(*current);
}

bool same_tree(const memory_registry::node& a, const memory_registry::node& b) {
    if (a.values.size() != b.values.size() || a.children.size() != b.children.size()) return false;
    for (const auto& v : a.values) {
        const auto it =
            std::find_if(b.values.begin(), b.values.end(), [&](const auto& w) { return same_name(v.name, w.name); });
        if (it == b.values.end() || it->type != v.type || it->data != v.data) return false;
    }
    for (const auto& c : a.children) {
        const auto it = std::find_if(b.children.begin(), b.children.end(),
                                     [&](const auto& d) { return same_name(c->name, d->name); });
        if (it == b.children.end() || !same_tree(*c, **it)) return false;
    }
    return true;
}

}  // namespace os::native
