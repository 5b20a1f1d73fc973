// Native double of the loadable-modules port: libraries are tables of exports registered under a
// Windows path, so that a test supplies the functions a library would export.
#pragma once

#include "os/modules.h"

#include <map>
#include <string>
#include <vector>

namespace os::native {

class module_table final : public modules {
public:
    using exports = std::map<std::string, library_symbol>;

    // A library at `path` (matched without regard to case) with these exports.
    void add(std::wstring path, exports functions);

    // One load as it was asked: the path and the search its dependencies were given.
    struct load_request {
        std::wstring path;
        library_search search;
        bool operator==(const load_request&) const = default;
    };
    std::vector<load_request> loads_asked;  // every load, in order
    int loaded = 0;                         // libraries loaded and not freed

    // 126 (ERROR_MOD_NOT_FOUND) for a path with no library, 87 for a relative path.
    std::error_code load(std::wstring_view full_path, library_search search, library_handle& module) override;
    library_symbol symbol(library_handle module, const char* name) override;
    void free(library_handle module) noexcept override;

private:
    std::vector<std::pair<std::wstring, exports>> libraries_;
    std::map<library_handle, std::size_t> handles_;  // handle -> index in libraries_
    library_handle next_ = 0x10000;
};

}  // namespace os::native
