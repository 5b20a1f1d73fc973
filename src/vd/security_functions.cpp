// Run-time binding of a system library's functions.
#include "vd/security_functions.h"

namespace vd::details {

entry_point_table::entry_point_table(module_loader& loader, std::wstring module_name,
                                     std::span<const char* const> export_names)
    : loader_(loader), module_name_(std::move(module_name)), names_(export_names), slots_(export_names.size()) {}

proc_address entry_point_table::resolve(std::size_t slot) {
    if (slots_.at(slot) != nullptr) return slots_[slot];
    if (module_ == 0) {
        module_ = loader_.get_module_handle(module_name_);
        if (module_ == 0) module_ = loader_.load_library(module_name_, load_library_search_system32);
    }
    if (module_ == 0) throw hresult_error(os::hr::e_unexpected);
    slots_[slot] = loader_.get_proc_address(module_, names_[slot]);
    if (slots_[slot] == nullptr) throw hresult_error(os::hr::e_notimpl);
    return slots_[slot];
}

void entry_point_table::check(long long result) {
    if (result != 0) return;
    const std::int32_t code = hresult_of_last_error(loader_.last_error());
    // A function that fails without saying why still failed: its 0 must not read as S_OK.
    throw hresult_error(code == os::hr::ok ? os::hr::e_fail : code);
}

}  // namespace vd::details
