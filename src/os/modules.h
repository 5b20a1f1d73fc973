// The loadable-modules port: a library loaded by its full path and the addresses of its exports
// (LoadLibraryExW, GetProcAddress, FreeLibrary).
//
// Module handles are opaque numbers of the port; 0 is "no module".
#pragma once

#include "os/unique_port_handle.h"

#include <cstdint>
#include <string_view>
#include <system_error>

namespace os {

using library_handle = std::uintptr_t;
// An export's address, to be cast to its real function type by the caller.
using library_symbol = void (*)();

// Where a library's dependencies are looked for.  Every load names one; none of them searches the
// current directory, the program's folder or PATH, where anyone may have left a library.
enum class library_search {
    // LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32: the library's own folder and
    // System32 (a library that comes with companions in its folder).
    own_folder_and_system32,
    // LOAD_LIBRARY_SEARCH_SYSTEM32.
    system32,
};

class modules {
public:
    virtual ~modules() = default;

    // LoadLibraryExW(path, no file, the flags of `search`).  Where the system does not know those
    // flags, LOAD_WITH_ALTERED_SEARCH_PATH with the full path (dependencies from the library's folder,
    // then the system folders); never flags 0.  A path that is not absolute is refused with 87
    // (ERROR_INVALID_PARAMETER) without loading anything.
    [[nodiscard]] virtual std::error_code load(std::wstring_view full_path, library_search search,
                                               library_handle& module) = 0;
    // GetProcAddress by name; nullptr when the library has no such export.
    [[nodiscard]] virtual library_symbol symbol(library_handle module, const char* name) = 0;
    // FreeLibrary.  Freeing 0 does nothing.
    virtual void free(library_handle module) noexcept = 0;
};

// A loaded library, freed when this object ends.  Move-only.
using unique_library = unique_port_handle<modules, library_handle, &modules::free>;

}  // namespace os
