// The product's file association.
#include "common/file_association.h"

#include <cstring>
#include <span>
#include <vector>

namespace sample {
namespace {

// A REG_SZ value's bytes: the text with its terminating null.
std::error_code set_text(os::registry& registry, os::registry_handle key, std::wstring_view name,
                         std::wstring_view text) {
    std::wstring stored(text);
    const auto bytes = std::as_bytes(std::span(stored.c_str(), stored.size() + 1));
    return registry.set_value(key, name, os::reg_type::sz, bytes);
}

std::error_code set_key_text(os::registry& registry, std::wstring_view subkey, std::wstring_view text) {
    os::registry_handle opened = 0;
    bool existed = false;
    if (auto error = registry.create_key(os::hkey::classes_root, subkey, os::key_access::write, opened, existed))
        return error;
    const os::unique_key key(registry, opened);
    return set_text(registry, opened, L"", text);
}

// The default value of a key under HKEY_CLASSES_ROOT; empty when it cannot be read.
std::wstring key_text(os::registry& registry, std::wstring_view subkey) {
    os::registry_handle opened = 0;
    if (registry.open_key(os::hkey::classes_root, subkey, os::key_access::query_value, opened)) return {};
    const os::unique_key key(registry, opened);
    std::uint32_t type = 0, size = 0;
    if (registry.query_value(opened, L"", type, nullptr, size) || type != os::reg_type::sz) return {};
    std::vector<std::byte> data(size);
    if (registry.query_value(opened, L"", type, data.data(), size)) return {};
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.erase(end);
    return text;
}

}  // namespace

std::wstring open_command(std::wstring_view programPath) { return L"\"" + std::wstring(programPath) + L"\" \"%1\""; }

std::error_code register_file_association(os::registry& registry, std::wstring_view programPath) {
    const std::wstring klass(document_class);
    if (auto error = set_key_text(registry, document_extension, document_class)) return error;
    if (auto error = set_key_text(registry, klass, document_description)) return error;
    if (auto error = set_key_text(registry, klass + L"\\DefaultIcon", L"\"" + std::wstring(programPath) + L"\",0"))
        return error;
    return set_key_text(registry, klass + L"\\shell\\open\\command", open_command(programPath));
}

std::error_code unregister_file_association(os::registry& registry) {
    std::error_code result;
    if (key_text(registry, document_extension) == document_class) {
        if (auto error = registry.delete_tree(os::hkey::classes_root, document_extension); error && error.value() != 2)
            result = error;
    }
    if (auto error = registry.delete_tree(os::hkey::classes_root, document_class); error && error.value() != 2)
        result = error;
    return result;
}

}  // namespace sample
