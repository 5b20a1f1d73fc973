// Win32-only: the loadable-modules port over LoadLibraryExW, GetProcAddress and FreeLibrary.
#pragma once

#include "os/modules.h"

namespace os::win32 {

class modules_adapter final : public modules {
public:
    std::error_code load(std::wstring_view full_path, library_handle& module) override;
    library_symbol symbol(library_handle module, const char* name) override;
    void free(library_handle module) noexcept override;
};

}  // namespace os::win32
