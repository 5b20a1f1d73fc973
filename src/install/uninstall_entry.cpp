// The uninstall entry and the product path value (see uninstall_entry.h).
#include "install/uninstall_entry.h"

#include "res/product_identity.h"

#include <cstring>
#include <string>
#include <vector>

namespace install {

namespace {

// REG_SZ data: the text and its terminating null, UTF-16LE.
std::vector<std::byte> string_data(std::wstring_view text) {
    std::vector<std::byte> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (wchar_t c : text) {
        const auto unit = static_cast<std::uint16_t>(c);
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
    bytes.push_back(std::byte{0});
    bytes.push_back(std::byte{0});
    return bytes;
}

std::vector<std::byte> dword_data(std::uint32_t value) {
    std::vector<std::byte> bytes(4);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    return bytes;
}

}  // namespace

bool write_uninstall_entry(os::registry& registry, UninstallLog& journal, std::wstring_view mainProgramPath,
                           std::wstring_view uninstallerPath, std::uint32_t languageIndex) {
    os::registry_handle opened = 0;
    if (registry.open_key(os::hkey::local_machine, product::uninstall_root, os::key_access::all_access, opened))
        return false;
    const os::unique_key parent(registry, opened);
    os::registry_handle created = 0;
    bool existed = false;
    if (registry.create_key(parent.get(), product::key_name, os::key_access::all_access, created, existed))
        return false;
    os::unique_key key(registry, created);
    journal.RecordUninstallKey(existed ? key.get() : 0);

    const auto text = [&](std::wstring_view name, std::wstring_view value) {
        return !registry.set_value(key.get(), name, os::reg_type::sz, string_data(value));
    };
    const auto number = [&](std::wstring_view name, std::uint32_t value) {
        (void)registry.set_value(key.get(), name, os::reg_type::dword, dword_data(value));
    };
    const bool named = text(L"DisplayName", product::title);
    const bool uninstallable = text(L"UninstallString", uninstallerPath);
    (void)text(L"DisplayIcon", std::wstring(mainProgramPath) + L",0");
    (void)text(L"DisplayVersion", L"7.8.18.1");
    (void)text(L"Publisher", product::company_folder);
    (void)text(L"URLInfoAbout", support_address);
    (void)text(L"HelpLink", support_address);
    (void)text(L"URLUpdateInfo", support_address);
    (void)text(L"HelpTelephone", support_telephone);
    number(L"NoModify", 1);
    number(L"NoRepair", 1);
    number(L"VdLanguage", languageIndex);
    const bool ok = named && uninstallable;
    key.reset();
    journal.CompleteLast(ok);
    return ok;
}

std::error_code write_product_path(os::registry& registry, std::wstring_view mainProgramPath) {
    os::registry_handle created = 0;
    bool existed = false;
    if (auto error = registry.create_key(os::hkey::local_machine, product::company_key(),
                                         os::key_access::maximum_allowed, created, existed))
        return error;
    const os::unique_key key(registry, created);
    return registry.set_value(key.get(), product::product_path_value(), os::reg_type::sz, string_data(mainProgramPath));
}

}  // namespace install
