// Win32-only: resources of loaded modules, read in place.
#include "os/win32/resources_win32.h"

#include <windows.h>

namespace os::win32 {

module_handle resources_adapter::program_module() { return reinterpret_cast<module_handle>(GetModuleHandleW(nullptr)); }

std::optional<std::span<const std::byte>> resources_adapter::find(module_handle module, std::uint16_t type,
                                                                  std::uint16_t id) {
    if (module == 0) return std::nullopt;
    const auto instance = reinterpret_cast<HMODULE>(module);
    // Resource handles of a loaded module need no release: they live as long as the module.
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (found == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr) return std::nullopt;
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(instance, found);
    if (bytes == nullptr && size != 0) return std::nullopt;
    return std::span<const std::byte>(static_cast<const std::byte*>(bytes), size);
}

}  // namespace os::win32
