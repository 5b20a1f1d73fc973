// The uninstallation steps.
#include "uninstaller/uninstall_steps.h"

#include "common/file_association.h"
#include "res/product_identity.h"

namespace sample {
namespace {

constexpr std::uint32_t attribute_normal = 0x80;

bool is_missing(const std::error_code& error) { return error.value() == 2 || error.value() == 3; }

// The uninstall key, the product path value, and the maker's key when nothing else is left in it.
bool remove_uninstall_entry(os::registry& registry) {
    bool ok = true;
    if (auto error = registry.delete_tree(os::hkey::local_machine, product::uninstall_key());
        error && !is_missing(error))
        ok = false;
    os::registry_handle opened = 0;
    if (auto error =
            registry.open_key(os::hkey::local_machine, product::company_key(), os::key_access::all_access, opened)) {
        return ok && is_missing(error);
    }
    bool empty = false;
    {
        const os::unique_key company(registry, opened);
        if (auto error = registry.delete_value(opened, product::product_path_value()); error && !is_missing(error))
            ok = false;
        std::vector<std::wstring> values, subkeys;
        empty = !registry.value_names(opened, values) && !registry.subkey_names(opened, subkeys) && values.empty() &&
                subkeys.empty();
    }
    if (empty) (void)registry.delete_tree(os::hkey::local_machine, product::company_key());
    return ok;
}

}  // namespace

bool delete_file_forcibly(os::file_system& files, std::wstring_view path) {
    std::uint32_t attributes = 0;
    if (auto error = files.get_attributes(path, attributes)) return is_missing(error);
    if (attributes & 0x10) return false;  // a folder where a file was recorded: leave it
    (void)files.set_attributes(path, attribute_normal);
    const auto error = files.delete_file(path);
    return !error || is_missing(error);
}

uninstall_outcome run_uninstall(const std::vector<uninstall_step>& steps, os::file_system& files,
                                os::registry& registry) {
    uninstall_outcome outcome;
    for (const auto& step : steps) {
        switch (step.action) {
            case uninstall_action::delete_file:
            case uninstall_action::delete_shortcut:
                if (!delete_file_forcibly(files, step.path)) outcome.failures.push_back(step.path);
                break;
            case uninstall_action::remove_folder:
                if (auto error = files.remove_directory(step.path); error && !is_missing(error))
                    outcome.keptFolders.push_back(step.path);
                break;
            case uninstall_action::remove_uninstall_entry:
                if (!remove_uninstall_entry(registry))
                    outcome.failures.push_back(L"HKEY_LOCAL_MACHINE\\" + product::uninstall_key());
                break;
            case uninstall_action::remove_registration:
                if (unregister_file_association(registry))
                    outcome.failures.push_back(L"HKEY_CLASSES_ROOT\\" + std::wstring(document_class));
                break;
        }
    }
    return outcome;
}

}  // namespace sample
