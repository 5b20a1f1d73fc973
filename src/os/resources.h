// The resources port: finding a resource of a loaded module and reading its bytes in place.
//
// Modules are opaque numbers of the port (an HMODULE on Windows); 0 is "no module".  Nothing here
// copies: the bytes stay owned by the module (or by the double) for as long as it is loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace os {

using module_handle = std::uintptr_t;

// Resource types the program reads (RT_* numbers, plus the payload's custom type).
namespace resource_type {
inline constexpr std::uint16_t icon = 3;         // RT_ICON
inline constexpr std::uint16_t string = 6;       // RT_STRING
inline constexpr std::uint16_t group_icon = 14;  // RT_GROUP_ICON
inline constexpr std::uint16_t version = 16;     // RT_VERSION
inline constexpr std::uint16_t manifest = 24;    // RT_MANIFEST
inline constexpr std::uint16_t payload = 260;    // the compressed payload archive
}  // namespace resource_type

class resources {
public:
    virtual ~resources() = default;

    // The module of the running program (GetModuleHandleW(nullptr)).  Never 0.
    [[nodiscard]] virtual module_handle program_module() = 0;

    // FindResourceW + LoadResource + LockResource + SizeofResource for a resource named by number:
    // the resource's bytes in place, or std::nullopt when the module has no such resource (or the
    // module is 0).  The span stays valid while the module is loaded.
    [[nodiscard]] virtual std::optional<std::span<const std::byte>> find(module_handle module, std::uint16_t type,
                                                                         std::uint16_t id) = 0;
};

}  // namespace os
