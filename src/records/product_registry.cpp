// Reading the product's registry settings.
#include "records/product_registry.h"

#include "os/win_error.h"
#include "vd/utf16.h"

#include <system_error>
#include <vector>

namespace records {
namespace {

[[noreturn]] void raise(const std::error_code& ec) { throw std::system_error(ec); }

bool not_found(const std::error_code& ec) { return ec.value() == static_cast<int>(os::errc::file_not_found); }

}  // namespace

os::unique_key OpenKeyForReading(os::registry& registry, os::registry_handle root, std::wstring_view subkey) {
    os::registry_handle key = 0;
    if (auto ec = registry.open_key(root, subkey, os::key_access::maximum_allowed, key)) {
        if (not_found(ec)) return {};
        raise(ec);
    }
    return os::unique_key(registry, key);
}

bool ReadStringValue(os::registry& registry, os::registry_handle key, std::wstring_view name, std::wstring& value) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (auto ec = registry.query_value(key, name, type, nullptr, size)) {
        if (not_found(ec)) return false;
        raise(ec);
    }
    if (type != os::reg_type::sz && type != os::reg_type::expand_sz) return false;
    if (size % 2 != 0) return false;
    if (size == 0) {
        value.clear();
        return true;
    }
    std::vector<std::byte> data(size, std::byte{0});
    std::uint32_t got = size;
    if (auto ec = registry.query_value(key, name, type, data.data(), got)) raise(ec);
    // The value may have changed between the two questions: take it only if it still fits the rules.
    if ((type != os::reg_type::sz && type != os::reg_type::expand_sz) || got != size) return false;
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] =
            static_cast<char16_t>(static_cast<unsigned>(data[2 * i]) | (static_cast<unsigned>(data[2 * i + 1]) << 8));
    if (units.back() != u'\0') return false;
    units.pop_back();
    value = vd::from_utf16(units);
    return true;
}

std::wstring product_registry::compute() const {
    try {
        const auto key = OpenKeyForReading(registry_, os::hkey::local_machine, company_key);
        if (!key) return {};
        std::wstring path;
        if (!ReadStringValue(registry_, key.get(), product_path_value, path)) return {};
        std::uint32_t attributes = 0;
        if (path.empty() || files_.get_attributes(path, attributes)) return {};
        return path;
    } catch (const std::system_error&) {
        return {};
    }
}

std::wstring product_registry::ReadProductPath() {
    std::call_once(once_, [this] { path_ = compute(); });
    return path_;
}

}  // namespace records
