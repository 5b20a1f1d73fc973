// The module table double (see modules_double.h).
#include "os/native/modules_double.h"

#include "os/win_error.h"
#include "vd/win_path.h"

namespace os::native {

void module_table::add(std::wstring path, exports functions) {
    libraries_.emplace_back(std::move(path), std::move(functions));
}

std::error_code module_table::load(std::wstring_view full_path, library_search search, library_handle& module) {
    loads_asked.push_back({std::wstring(full_path), search});
    if (!vd::path::is_absolute(full_path)) return win_error(errc::invalid_parameter);
    for (std::size_t i = 0; i < libraries_.size(); ++i) {
        if (!vd::path::equal_ignore_case(libraries_[i].first, full_path)) continue;
        module = next_;
        next_ += 0x10000;
        handles_[module] = i;
        ++loaded;
        return {};
    }
    return win_error(errc::mod_not_found);
}

library_symbol module_table::symbol(library_handle module, const char* name) {
    const auto found = handles_.find(module);
    if (found == handles_.end() || name == nullptr) return nullptr;
    const auto& functions = libraries_[found->second].second;
    const auto function = functions.find(name);
    return function == functions.end() ? nullptr : function->second;
}

void module_table::free(library_handle module) noexcept {
    if (handles_.erase(module) != 0) --loaded;
}

}  // namespace os::native
